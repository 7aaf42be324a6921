#include "app/sessionguard.h"

#include "controls/msgbox.h"
#include "document/documentwindow.h"
#include "document/guard.h"
#include "textarea/textarea.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QSessionManager>
#include <QWidget>

SessionGuard::SessionGuard(DocumentWindow &window, QWidget &mainWindow)
    : QObject(&mainWindow), window_(window)
{
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, &SessionGuard::commitData,
            Qt::DirectConnection);
    // Any edit after the answer makes the text worth asking about again.
    connect(&window.Text1, &TextArea::contentChanged, this, [this] { discardAnswered_ = false; });
    mainWindow.installEventFilter(this);
}

void SessionGuard::commitData(QSessionManager &manager)
{
    // The session manager's request comes on a connection of its own and can overtake keys the
    // user typed just before logging out: those are taken in first, so that they count as changes.
    QGuiApplication::sync();
    if (!window_.documentState.Changed)
        return;
    if (!manager.allowsInteraction()) {
        manager.cancel();
        return;
    }
    // The session manager ends the interaction itself, passing on a cancel.
    const bool goOn = OfferToSaveChanges(window_, MsgBoxStyle::Exclamation);
    if (!goOn)
        manager.cancel();
    discardAnswered_ = goOn && window_.documentState.Changed;
}

// The session ends by closing every window from the program itself; the user who answered No
// is not asked a second time. A close from the title bar still asks.
bool SessionGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Close && discardAnswered_ && !event->spontaneous()) {
        event->accept();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
