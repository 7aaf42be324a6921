#pragma once

#include <QRect>

class QWidget;

// Where a box of this size goes over its owner: its client area centred over the client area of
// the owner's window, menu bar included, and moved onto the owner's screen where it would stick
// out of it.
QRect CentredOver(const QWidget *owner, const QSize &boxSize);

// Places a box centred over its owner window. Called as the box is shown, before it is mapped:
// the position is given for the client area, which the window manager keeps as it adds the
// frame, instead of a guess at a frame that is not known yet.
void CentreOverOwner(QWidget *box, const QWidget *owner);
