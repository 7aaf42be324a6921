#pragma once

#include <QObject>

struct DocumentWindow;
class QSessionManager;
class QWidget;

// Logging out asks about unsaved changes as closing the window does. The desktop's session
// manager asks every program to keep its data before the session ends; the question "File
// Changed" is asked then, if the session manager lets the program talk to the user:
// Yes saves, No lets the session end, and Cancel (or a save that did not go through) asks it to
// cancel the logout. When no question may be asked, the session manager is told that the data
// was not kept, so that it warns the user instead of ending the session silently.
class SessionGuard : public QObject
{
    Q_OBJECT
public:
    SessionGuard(DocumentWindow &window, QWidget &mainWindow);

    void commitData(QSessionManager &manager);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    DocumentWindow &window_;
    // The user answered No for this logout: the close that ends the session does not ask again.
    bool discardAnswered_ = false;
};
