#include "app/toolbarpictures.h"
#include "controls/toolbar.h"

#include <QAction>
#include <QSet>
#include <QToolButton>
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace {

const QStringList ButtonKeys = {u"New"_qs, u"Open"_qs, u"Save"_qs,  u"Undo"_qs,
                                u"Cut"_qs, u"Copy"_qs, u"Paste"_qs, u"Help"_qs};

bool IsVgaColour(QRgb colour)
{
    return std::find(std::begin(VgaPalette), std::end(VgaPalette), colour) != std::end(VgaPalette);
}

} // namespace

TEST(ToolbarPictures, EightSixteenColourPicturesOnATransparentGround)
{
    const ImageList imlToolbarIcons = BuildToolbarIcons();
    ASSERT_EQ(imlToolbarIcons.keys(), ButtonKeys);
    QSet<QByteArray> distinct;
    for (const QString &key : ButtonKeys) {
        SCOPED_TRACE(key.toStdString());
        const QImage picture = imlToolbarIcons.image(key).convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(picture.size(), QSize(16, 16));
        QSet<QRgb> colours;
        int transparent = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                const QRgb pixel = picture.pixel(x, y);
                if (qAlpha(pixel) == 0) {
                    ++transparent;
                    continue;
                }
                ASSERT_EQ(qAlpha(pixel), 255);
                // Silver was the ground; none of it may survive into the picture.
                EXPECT_NE(pixel, Silver) << x << "," << y;
                EXPECT_TRUE(IsVgaColour(pixel)) << x << "," << y;
                colours.insert(pixel);
            }
        }
        EXPECT_LE(colours.size(), 16);
        // The ground shows through round the picture, and the picture is more than a speck.
        EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0);
        EXPECT_GE(transparent, 2 * 16);
        EXPECT_LT(transparent, 16 * 16 * 9 / 10);
        distinct.insert(
            QByteArray(reinterpret_cast<const char *>(picture.constBits()), picture.sizeInBytes()));
    }
    EXPECT_EQ(distinct.size(), 8);
}

TEST(ToolbarPictures, ToolbarGetsElevenPositionsWithThreeSeparators)
{
    Toolbar toolbar;
    AddToolbarPositions(toolbar, BuildToolbarIcons());
    const QList<QAction *> positions = toolbar.actions();
    ASSERT_EQ(positions.size(), 11);

    QStringList keys;
    for (int index = 0; index < positions.size(); ++index) {
        QWidget *widget = toolbar.widgetForAction(positions[index]);
        if (positions[index]->isSeparator()) {
            keys.append(u"-"_qs);
            continue;
        }
        auto *button = qobject_cast<QToolButton *>(widget);
        ASSERT_NE(button, nullptr) << index;
        keys.append(button->objectName());
        EXPECT_EQ(button->toolTip(), button->objectName());
        // The button shows the picture of the same key.
        EXPECT_EQ(button->icon().pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32),
                  toolbar.imageList().image(button->objectName()));
    }
    EXPECT_EQ(keys, (QStringList{u"New"_qs, u"Open"_qs, u"Save"_qs, u"-"_qs, u"Undo"_qs, u"-"_qs,
                                 u"Cut"_qs, u"Copy"_qs, u"Paste"_qs, u"-"_qs, u"Help"_qs}));
}
