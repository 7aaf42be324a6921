#include "controls/placement.h"

#include <QMainWindow>
#include <QScreen>
#include <QWidget>

QRect ClientAreaOnScreen(const QWidget *window)
{
    const QWidget *client = window;
    if (const auto *main = qobject_cast<const QMainWindow *>(window); main && main->centralWidget())
        client = main->centralWidget();
    return QRect(client->mapToGlobal(QPoint(0, 0)), client->size());
}

QRect CentredOver(const QWidget *owner, const QSize &boxSize)
{
    QRect box(QPoint(0, 0), boxSize);
    box.moveCenter(ClientAreaOnScreen(owner->window()).center());
    if (const QScreen *screen = owner->screen()) {
        const QRect available = screen->availableGeometry();
        box.moveRight(std::min(box.right(), available.right()));
        box.moveBottom(std::min(box.bottom(), available.bottom()));
        box.moveLeft(std::max(box.left(), available.left()));
        box.moveTop(std::max(box.top(), available.top()));
    }
    return box;
}

void CentreOverOwner(QWidget *box, const QWidget *owner)
{
    box->setGeometry(CentredOver(owner, box->size()));
}
