#pragma once

#include <QColor>

// Relative luminance and contrast ratio as the web's accessibility guidelines define them: the
// ratio runs from 1 (the same colour) to 21 (black on white). Text reads well from 4.5, a line
// or a picture stands out from 3.
inline constexpr double TextContrast = 4.5;
inline constexpr double GraphicContrast = 3.0;

double RelativeLuminance(const QColor &colour);
double ContrastRatio(const QColor &one, const QColor &other);

// Whether a palette pair is "dark": text lighter than the background it stands on.
bool LightOnDark(const QColor &text, const QColor &background);

// `preferred` when it stands out from `background` by at least `minimum`; otherwise black or
// white, whichever stands out more.
QColor ReadableOn(const QColor &preferred, const QColor &background, double minimum);
