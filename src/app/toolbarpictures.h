#pragma once

#include "controls/imagelist.h"

#include <QStringList>

class Toolbar;

// imlToolbarIcons: the eight 16 x 16 toolbar pictures in the VGA colours, keyed "New", "Open",
// "Save", "Undo", "Cut", "Copy", "Paste" and "Help", in that order.
ImageList BuildToolbarIcons();

// The toolbar's positions from left to right: a button's key, or an empty text for a separator.
QStringList ToolbarPositions();

// Gives Toolbar1 the image list and its eleven positions; each button's key, tool tip and
// picture key are the same word.
void AddToolbarPositions(Toolbar &Toolbar1, const ImageList &imlToolbarIcons);
