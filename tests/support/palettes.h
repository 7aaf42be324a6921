#pragma once

#include "controls/contrast.h"

#include <QApplication>
#include <QFrame>
#include <QImage>
#include <QPalette>

#include <algorithm>

// While it lives, the application has a dark palette, as a dark desktop theme gives it: light
// text on dark windows, buttons and paper.
class DarkPalette
{
public:
    DarkPalette() : previous_(QApplication::palette())
    {
        QApplication::setPalette(QPalette(QColor(53, 56, 60)));
    }
    ~DarkPalette() { QApplication::setPalette(previous_); }
    DarkPalette(const DarkPalette &) = delete;
    DarkPalette &operator=(const DarkPalette &) = delete;

private:
    QPalette previous_;
};

// The colour of the light edge of a sunken panel, as the application's style draws it.
inline QRgb LightEdgeOfSunkenPanel(const QPalette &palette)
{
    QFrame panel;
    panel.setPalette(palette);
    panel.setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel.resize(10, 10);
    const QImage drawn = panel.grab().toImage();
    const int scale = int(drawn.devicePixelRatio());
    return drawn.pixel(10 * scale - 1, 5 * scale);
}

// The strongest contrast of any pixel in the area with the background: for text, its ink.
inline double StrongestContrast(const QImage &image, const QRect &area, const QColor &background)
{
    double strongest = 1;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            strongest =
                std::max(strongest, ContrastRatio(QColor::fromRgb(image.pixel(x, y)), background));
    return strongest;
}
