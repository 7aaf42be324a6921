#include "platform/clipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

QString ClipboardGetText()
{
    const QMimeData *data = QApplication::clipboard()->mimeData();
    return data && data->hasText() ? data->text() : QString();
}

void ClipboardSetText(const QString &text)
{
    auto *data = new QMimeData;
    data->setText(text);
    QApplication::clipboard()->setMimeData(data);
}
