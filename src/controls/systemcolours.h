#pragma once

#include <QColor>

class QWidget;

// The desktop's "3-D light" colour for a widget: the colour its style gives the light edge of a
// sunken panel, in the widget's palette. Styles differ in which palette colour they take for it
// (Qt's own styles take Light, which is lighter than the button face), so it is read from a
// panel the style draws.
QColor ThreeDLight(const QWidget *widget);
