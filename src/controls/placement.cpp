#include "controls/placement.h"

#include <QScreen>
#include <QWidget>

QRect CentredOver(const QWidget *owner, const QSize &boxSize)
{
    // The owner's whole client area, a main window's menu bar with it, as Qt centres its dialogs.
    const QWidget *window = owner->window();
    QRect box(QPoint(0, 0), boxSize);
    box.moveCenter(QRect(window->mapToGlobal(QPoint(0, 0)), window->size()).center());
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
