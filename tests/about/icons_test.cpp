#include "about/handcursor.h"
#include "about/programicon.h"
#include "controls/imagelist.h"

#include <QBitmap>
#include <QSet>
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace {

bool IsVgaColour(QRgb colour)
{
    return std::find(std::begin(VgaPalette), std::end(VgaPalette), colour) != std::end(VgaPalette);
}

// Opaque colours of a picture; fails the test on a half-transparent pixel.
QSet<QRgb> OpaqueColours(const QImage &picture)
{
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    QSet<QRgb> colours;
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb pixel = argb.pixel(x, y);
            EXPECT_TRUE(qAlpha(pixel) == 0 || qAlpha(pixel) == 255) << x << "," << y;
            if (qAlpha(pixel) == 255)
                colours.insert(pixel);
        }
    }
    return colours;
}

bool IsSet(const QBitmap &bitmap, QPoint at)
{
    return bitmap.toImage().convertToFormat(QImage::Format_RGB32).pixel(at) == qRgb(0, 0, 0);
}

} // namespace

TEST(ProgramIcon, ComesInThirtyTwoAndSixteenPixelsOfTheVgaColours)
{
    for (const int size : {32, 16}) {
        SCOPED_TRACE(size);
        const QImage picture = ProgramIconImage(size);
        ASSERT_EQ(picture.size(), QSize(size, size));
        const QSet<QRgb> colours = OpaqueColours(picture);
        EXPECT_LE(colours.size(), 16);
        EXPECT_GE(colours.size(), 4) << "a picture, not a blot";
        for (const QRgb colour : colours)
            EXPECT_TRUE(IsVgaColour(colour)) << std::hex << colour;
        // The corners lie outside the page and let the desktop show through.
        EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(picture.pixel(size - 1, size - 1)), 0);
    }
    EXPECT_TRUE(ProgramIconImage(24).isNull());
}

TEST(ProgramIcon, IconOffersBothSizes)
{
    const QIcon icon = ProgramIcon();
    const QList<QSize> sizes = icon.availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
    EXPECT_EQ(icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32),
              ProgramIconImage(16));
}

TEST(HandCursor, IsAThirtyTwoPixelMonochromeCursorPointingAtItsHotSpot)
{
    const QCursor cursor = HandCursor();
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
    EXPECT_EQ(cursor.hotSpot(), QPoint(13, 9));

    const QBitmap bitmap = cursor.bitmap();
    const QBitmap mask = cursor.mask();
    ASSERT_FALSE(bitmap.isNull());
    ASSERT_FALSE(mask.isNull());
    EXPECT_EQ(bitmap.size(), QSize(32, 32));
    EXPECT_EQ(mask.size(), QSize(32, 32));

    // The fingertip is drawn black, and nothing lies above it: it is the top of the finger.
    EXPECT_TRUE(IsSet(bitmap, QPoint(13, 9)));
    EXPECT_TRUE(IsSet(mask, QPoint(13, 9)));
    for (int y = 0; y < 9; ++y)
        EXPECT_FALSE(IsSet(mask, QPoint(13, y))) << y;
    // Below the tip the finger is white: in the mask, not in the bitmap.
    EXPECT_TRUE(IsSet(mask, QPoint(13, 11)));
    EXPECT_FALSE(IsSet(bitmap, QPoint(13, 11)));
    // A black pixel is always opaque; black outside the mask would invert the screen.
    const QImage bits = bitmap.toImage().convertToFormat(QImage::Format_RGB32);
    const QImage shown = mask.toImage().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            if (bits.pixel(x, y) == qRgb(0, 0, 0)) {
                EXPECT_EQ(shown.pixel(x, y), qRgb(0, 0, 0)) << x << "," << y;
            }
        }
    }
}
