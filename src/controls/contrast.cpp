#include "controls/contrast.h"

#include <algorithm>
#include <cmath>

namespace {

double Linear(int channel)
{
    const double value = channel / 255.0;
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

} // namespace

double RelativeLuminance(const QColor &colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * Linear(rgb.red()) + 0.7152 * Linear(rgb.green()) + 0.0722 * Linear(rgb.blue());
}

double ContrastRatio(const QColor &one, const QColor &other)
{
    const double a = RelativeLuminance(one);
    const double b = RelativeLuminance(other);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

bool LightOnDark(const QColor &text, const QColor &background)
{
    return RelativeLuminance(text) > RelativeLuminance(background);
}

QColor ReadableOn(const QColor &preferred, const QColor &background, double minimum)
{
    if (ContrastRatio(preferred, background) >= minimum)
        return preferred;
    const QColor black(0, 0, 0);
    const QColor white(255, 255, 255);
    return ContrastRatio(black, background) >= ContrastRatio(white, background) ? black : white;
}
