#include "app/filedrop.h"

#include "platform/filenames.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

FileDrop::FileDrop(QWidget *viewport, OpenFile openFile)
    : QObject(viewport), openFile_(std::move(openFile))
{
    viewport->setAcceptDrops(true);
    viewport->installEventFilter(this);
}

QString FileDrop::DroppedFile(const QMimeData *data)
{
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile()) {
            // The address's bytes, not Qt's UTF-8 reading of them, so that any file name is kept.
            const QByteArray path = url.path(QUrl::FullyEncoded).toLatin1();
            return DecodeFileName(QByteArray::fromPercentEncoding(path));
        }
    }
    return {};
}

bool FileDrop::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto *drop = static_cast<QDropEvent *>(event);
    const QString path = DroppedFile(drop->mimeData());
    if (path.isEmpty())
        return QObject::eventFilter(watched, event);
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop) {
        // The file opens once the drop is over: its question and boxes are modal, and the file
        // manager waits for the drop to finish.
        QMetaObject::invokeMethod(
            this, [open = openFile_, path] { open(path); }, Qt::QueuedConnection);
    }
    return true;
}
