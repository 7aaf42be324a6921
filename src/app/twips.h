#pragma once

#include <QPoint>
#include <QRect>

// The window's layout is measured in twips, 1440 to the inch: 15 to a logical pixel.
constexpr int TwipsPerPixel = 15;

constexpr int Pixels(int twips)
{
    return (twips + TwipsPerPixel / 2) / TwipsPerPixel;
}

constexpr QPoint PixelPoint(int x, int y)
{
    return {Pixels(x), Pixels(y)};
}

constexpr QRect PixelRect(int left, int top, int width, int height)
{
    return {Pixels(left), Pixels(top), Pixels(width), Pixels(height)};
}
