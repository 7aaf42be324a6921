#include "filedialog/modalblock.h"

#include <QCoreApplication>
#include <QEvent>

// Qt's own modality, a modal window kept off the screen, would do the same but loses the active
// window when the other program's dialog hands the focus back before it ends.
ModalBlock::ModalBlock()
{
    QCoreApplication::instance()->installEventFilter(this);
}

ModalBlock::~ModalBlock()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool ModalBlock::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Shortcut:
    case QEvent::InputMethod:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return true;
    case QEvent::Close:
        event->ignore();
        return true;
    default:
        // Keys, the mouse, the wheel, touch and context menus.
        return event->isInputEvent();
    }
}
