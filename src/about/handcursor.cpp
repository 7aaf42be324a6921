#include "about/handcursor.h"

#include <QBitmap>
#include <QImage>

#include <cstring>

namespace {

constexpr int CursorSize = 32;
const QPoint FingerTip(13, 9);

// 'X' is black, 'O' white, '.' lets the screen show through. The index finger points up; its
// tip is the hot spot.
constexpr const char *HandRows[CursorSize] = {
    "................................", "................................",
    "................................", "................................",
    "................................", "................................",
    "................................", "................................",
    "................................", ".............XX.................",
    "............XOOX................", "............XOOX................",
    "............XOOX................", "............XOOX................",
    "............XOOXXX..............", "............XOOXOOXXX...........",
    "............XOOXOOXOOXX.........", "............XOOXOOXOOXOX........",
    ".........XX.XOOXOOXOOXOOX.......", "........XOOXXOOXOOXOOXOOX.......",
    "........XOOOXOOOOOOOOOOOX.......", ".........XOOXOOOOOOOOOOOX.......",
    ".........XOOOOOOOOOOOOOOX.......", "..........XOOOOOOOOOOOOOX.......",
    "..........XOOOOOOOOOOOOX........", "...........XOOOOOOOOOOOX........",
    "...........XOOOOOOOOOOX.........", "............XOOOOOOOOOX.........",
    "............XOOOOOOOOOX.........", "............XXXXXXXXXXX.........",
    "................................", "................................",
};

// A one-bit image with a pixel set wherever `HandRows` holds one of `letters`.
QBitmap BitmapOf(const char *letters)
{
    QImage bits(CursorSize, CursorSize, QImage::Format_MonoLSB);
    bits.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    bits.fill(0);
    for (int y = 0; y < CursorSize; ++y) {
        for (int x = 0; x < CursorSize; ++x) {
            if (std::strchr(letters, HandRows[y][x]))
                bits.setPixel(x, y, 1);
        }
    }
    return QBitmap::fromImage(bits);
}

} // namespace

QCursor HandCursor()
{
    // Bitmap set and mask set draw black; bitmap clear and mask set draw white.
    return QCursor(BitmapOf("X"), BitmapOf("XO"), FingerTip.x(), FingerTip.y());
}
