#include "about/programicon.h"

#include "controls/imagelist.h"

#include <QPixmap>

// A DIZ description sheet: a page with a folded corner, a ruler along its top, a few lines of
// text, the red bar that ends the columns and the blue bar under the last allowed line, with
// two lines of over-long text below it. Pixels outside the page are transparent.

namespace {

constexpr QRgb Transparent = 0x00000000;

QImage Picture32()
{
    return PictureFromRows(
        {
            "................................", "....kkkkkkkkkkkkkkkkk...........",
            "....kwwwwwwwwwwwwwwwkk..........", "....kwwdwdwdwdwdwdwwksk.........",
            "....kwdddddddddddddwkssk........", "....kwwwwwwwwwwwwwwwksssk.......",
            "....kwwwwwwwwwwwwwwwkkkkkk......", "....kwwwwwwwwwwwwwwwwwRwwwkd....",
            "....kwwbbbbwbbbbbwbwwwRwwwkd....", "....kwwwwwwwwwwwwwwwwwRwwwkd....",
            "....kwwbbbwbbbbbbbwwwwRwwwkd....", "....kwwwwwwwwwwwwwwwwwRwwwkd....",
            "....kwwbbbbbbwbbbbbbwwRwwwkd....", "....kwwwwwwwwwwwwwwwwwRwwwkd....",
            "....kwwbbbbwbbbwwwwwwwRwwwkd....", "....kwwwwwwwwwwwwwwwwwRwwwkd....",
            "....kwwbbbbbwbbbbbwwwwRwwwkd....", "....kwwwwwwwwwwwwwwwwwRwwwkd....",
            "....kwwbbbwbbbbwwwwwwwRwwwkd....", "....kwwwwwwwwwwwwwwwwwRwwwkd....",
            "....kBBBBBBBBBBBBBBBBBRBBBkd....", "....kwwwwwwwwwwwwwwwwwRwwwkd....",
            "....kwwddddwdddddwwwwwRwwwkd....", "....kwwwwwwwwwwwwwwwwwRwwwkd....",
            "....kwwddddddwddwwwwwwRwwwkd....", "....kwwwwwwwwwwwwwwwwwRwwwkd....",
            "....kwwwwwwwwwwwwwwwwwRwwwkd....", "....kwwwwwwwwwwwwwwwwwRwwwkd....",
            "....kwwwwwwwwwwwwwwwwwRwwwkd....", "....kkkkkkkkkkkkkkkkkkkkkkd.....",
            ".....dddddddddddddddddddddd.....", "................................",
        },
        Transparent);
}

QImage Picture16()
{
    return PictureFromRows(
        {
            "................",
            "..kkkkkkkkk.....",
            "..kwwwwwwwkk....",
            "..kwwwwwwwksk...",
            "..kwwwwwwwkkkk..",
            "..kwbbbwbbwRwkd.",
            "..kwwwwwwwwRwkd.",
            "..kwbbwbbbwRwkd.",
            "..kwwwwwwwwRwkd.",
            "..kwbbbbwbwRwkd.",
            "..kwwwwwwwwRwkd.",
            "..kBBBBBBBBRBkd.",
            "..kwwwwwwwwRwkd.",
            "..kwddwddwwRwkd.",
            "..kkkkkkkkkkkkd.",
            "...dddddddddddd.",
        },
        Transparent);
}

} // namespace

QImage ProgramIconImage(int size)
{
    switch (size) {
    case 32:
        return Picture32();
    case 16:
        return Picture16();
    default:
        return QImage();
    }
}

QIcon ProgramIcon()
{
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(Picture32()));
    icon.addPixmap(QPixmap::fromImage(Picture16()));
    return icon;
}
