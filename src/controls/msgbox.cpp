#include "controls/msgbox.h"

#include "controls/centredmessagebox.h"

#include <QApplication>
#include <QLabel>

namespace {

MsgBoxHandler &InstalledHandler()
{
    static MsgBoxHandler handler;
    return handler;
}

QMessageBox::Icon IconOf(int style)
{
    switch (style & 0x70) {
    case MsgBoxStyle::Critical:
        return QMessageBox::Critical;
    case MsgBoxStyle::Question:
        return QMessageBox::Question;
    case MsgBoxStyle::Exclamation:
        return QMessageBox::Warning;
    default:
        return QMessageBox::NoIcon;
    }
}

// What a screen reader says for the box's icon.
QString IconName(QMessageBox::Icon icon)
{
    switch (icon) {
    case QMessageBox::Critical:
        return u"Error"_qs;
    case QMessageBox::Question:
        return u"Question"_qs;
    case QMessageBox::Warning:
        return u"Warning"_qs;
    default:
        return QString();
    }
}

int ShowQtMessageBox(const QString &prompt, int style, const QString &title)
{
    QWidget *owner = QApplication::activeModalWidget();
    if (!owner)
        owner = QApplication::activeWindow();
    CentredMessageBox box(IconOf(style), title, prompt, QMessageBox::NoButton, owner);
    box.setTextFormat(Qt::PlainText);
    // The icon is the one label that shows a picture.
    for (QLabel *label : box.findChildren<QLabel *>()) {
        if (!label->pixmap().isNull())
            label->setAccessibleName(IconName(box.icon()));
    }
    if ((style & 0x0F) == MsgBoxStyle::YesNoCancel) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MsgBoxAnswer::Yes;
    case QMessageBox::No:
        return MsgBoxAnswer::No;
    case QMessageBox::Ok:
        return MsgBoxAnswer::Ok;
    default:
        return MsgBoxAnswer::Cancel;
    }
}

} // namespace

int MsgBox(const QString &prompt, int style, const QString &title)
{
    const MsgBoxHandler &handler = InstalledHandler();
    return handler ? handler(prompt, style, title) : ShowQtMessageBox(prompt, style, title);
}

MsgBoxHandler SetMsgBoxHandler(MsgBoxHandler handler)
{
    return std::exchange(InstalledHandler(), std::move(handler));
}
