#include "controls/imagelist.h"
#include "controls/toolbar.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMainWindow>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <memory>

namespace {

// A 16 x 16 picture: a silver background with a centred 8 x 8 square of `colour`.
QImage SquareOnSilver(QRgb colour)
{
    QImage picture(16, 16, QImage::Format_ARGB32);
    picture.fill(Silver);
    for (int y = 4; y < 12; ++y) {
        for (int x = 4; x < 12; ++x)
            picture.setPixel(x, y, colour);
    }
    return picture;
}

// Clicks where a user would: on whatever widget lies under `point` of the toolbar.
void ClickAt(Toolbar &toolbar, QPoint point)
{
    QWidget *target = toolbar.childAt(point);
    if (!target)
        target = &toolbar;
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&toolbar, point));
}

class ToolbarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ImageList images;
        images.add(u"Red"_qs, SquareOnSilver(qRgb(255, 0, 0)));
        images.add(u"Blue"_qs, SquareOnSilver(qRgb(0, 0, 255)));
        toolbar.setImageList(images);
        toolbar.addButton(u"One"_qs, u"Red"_qs);
        toolbar.addButton(u"Two"_qs, u"Blue"_qs);
        toolbar.addSeparator();
        toolbar.addButton(u"Three"_qs, u"Red"_qs);
        toolbar.resize(300, 28);
        toolbar.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&toolbar, 30000));
    }

    QList<QToolButton *> buttons() const
    {
        return {toolbar.button(u"One"_qs), toolbar.button(u"Two"_qs), toolbar.button(u"Three"_qs)};
    }

    Toolbar toolbar;
};

} // namespace

TEST_F(ToolbarTest, EachClickOnAButtonEmitsItsKeyOnce)
{
    for (QToolButton *button : buttons()) {
        ASSERT_NE(button, nullptr);
        QSignalSpy clicks(&toolbar, &Toolbar::ButtonClick);
        QTest::mouseClick(button, Qt::LeftButton);
        ASSERT_EQ(clicks.count(), 1);
        EXPECT_EQ(clicks.at(0).at(0).toString(), button->objectName());
    }
}

TEST_F(ToolbarTest, ClicksBetweenAndBesideTheButtonsDoNothing)
{
    // Sweep the toolbar's middle line: only points on a button may click it, and only that one.
    const int middle = toolbar.height() / 2;
    int clicksOnButtons = 0;
    for (int x = 0; x < toolbar.width(); ++x) {
        const QPoint point(x, middle);
        QString expected;
        for (QToolButton *button : buttons()) {
            if (button->geometry().contains(point))
                expected = button->objectName();
        }
        QSignalSpy clicks(&toolbar, &Toolbar::ButtonClick);
        ClickAt(toolbar, point);
        if (expected.isEmpty()) {
            EXPECT_EQ(clicks.count(), 0) << "x " << x;
        } else {
            ++clicksOnButtons;
            ASSERT_EQ(clicks.count(), 1) << "x " << x;
            EXPECT_EQ(clicks.at(0).at(0).toString(), expected);
        }
    }
    EXPECT_EQ(clicksOnButtons, 3 * Toolbar::ButtonSize.width());

    // The separator in particular.
    QAction *separator = nullptr;
    for (QAction *action : toolbar.actions()) {
        if (action->isSeparator())
            separator = action;
    }
    ASSERT_NE(separator, nullptr);
    QWidget *gap = toolbar.widgetForAction(separator);
    ASSERT_NE(gap, nullptr);
    QSignalSpy clicks(&toolbar, &Toolbar::ButtonClick);
    QTest::mouseClick(gap, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(ToolbarTest, ButtonsArePicturesNamedByTheirKeys)
{
    for (QToolButton *button : buttons()) {
        const QString key = button->objectName();
        SCOPED_TRACE(key.toStdString());
        EXPECT_EQ(button->toolTip(), key);
        EXPECT_EQ(button->accessibleName(), key);
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(button);
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->text(QAccessible::Name), key);
        EXPECT_TRUE(button->text().isEmpty());
        EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonIconOnly);
        EXPECT_EQ(button->size(), QSize(23, 22));
        EXPECT_FALSE(button->icon().isNull());
        EXPECT_FALSE(button->isCheckable());
        EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);
    }
    // The picture comes from the image list by picture key.
    const QImage shown = toolbar.button(u"Two"_qs)->icon().pixmap(16, 16).toImage();
    EXPECT_EQ(shown.pixel(8, 8), qRgb(0, 0, 255));
    EXPECT_EQ(qAlpha(shown.pixel(0, 0)), 0);
}

TEST_F(ToolbarTest, StaysPutOneButtonHigh)
{
    EXPECT_FALSE(toolbar.isMovable());
    EXPECT_FALSE(toolbar.isFloatable());
    // The main window gives the toolbar a strip 24 pixels high, also after a change of style.
    EXPECT_EQ(toolbar.sizeHint().height(), 24);
    const std::unique_ptr<QStyle> windows(QStyleFactory::create(u"Windows"_qs));
    toolbar.setStyle(windows.get());
    EXPECT_EQ(toolbar.sizeHint().height(), 24);
    EXPECT_EQ(toolbar.button(u"One"_qs)->size(), QSize(23, 22));
    toolbar.setStyle(nullptr);
}

TEST(ToolbarInAMainWindow, RightClicksOpenNoMenu)
{
    // A main window offers a menu to hide its toolbars on a right click; ours has none.
    QMainWindow window;
    auto *toolbar = new Toolbar(&window);
    toolbar->addButton(u"One"_qs, u"Red"_qs);
    window.addToolBar(toolbar);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window, 30000));

    for (QWidget *target :
         {static_cast<QWidget *>(toolbar->button(u"One"_qs)), static_cast<QWidget *>(toolbar)}) {
        bool looked = false;
        bool menuShown = false;
        // Runs inside the menu's own event loop if one opens, and closes it.
        QTimer::singleShot(0, [&] {
            if (QWidget *menu = QApplication::activePopupWidget()) {
                menuShown = true;
                menu->close();
            }
            looked = true;
        });
        const QPoint inside(3, 3);
        QContextMenuEvent rightClick(QContextMenuEvent::Mouse, inside, target->mapToGlobal(inside));
        QApplication::sendEvent(target, &rightClick);
        ASSERT_TRUE(QTest::qWaitFor([&] { return looked; }, 30000));
        EXPECT_FALSE(menuShown) << target->metaObject()->className();
    }
}

TEST(ImageList, SilverBecomesTransparentAndEveryOtherColourStays)
{
    ImageList images;
    QImage picture(16, 16, QImage::Format_ARGB32);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x)
            picture.setPixel(x, y, VgaPalette[(x + y) % 16]);
    }
    ASSERT_TRUE(images.add(u"All"_qs, picture));

    const QImage masked = images.image(u"All"_qs);
    ASSERT_EQ(masked.size(), QSize(16, 16));
    int transparent = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const QRgb original = picture.pixel(x, y);
            if (original == Silver) {
                EXPECT_EQ(qAlpha(masked.pixel(x, y)), 0) << x << "," << y;
                ++transparent;
            } else {
                EXPECT_EQ(masked.pixel(x, y), original) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(transparent, 16);
    // Grey and the near-silvers are not the mask colour.
    QImage nearSilver(16, 16, QImage::Format_RGB32);
    nearSilver.fill(qRgb(192, 192, 193));
    ASSERT_TRUE(images.add(u"Near"_qs, nearSilver));
    EXPECT_EQ(images.image(u"Near"_qs).pixel(3, 3), qRgb(192, 192, 193));
}

TEST(ImageList, KeepsKeysInOrderAndRefusesDuplicatesAndOtherSizes)
{
    ImageList images;
    EXPECT_TRUE(images.add(u"New"_qs, SquareOnSilver(qRgb(0, 0, 0))));
    EXPECT_TRUE(images.add(u"Open"_qs, SquareOnSilver(qRgb(0, 0, 0))));
    EXPECT_FALSE(images.add(u"New"_qs, SquareOnSilver(qRgb(255, 255, 255))));
    EXPECT_FALSE(images.add(u"Big"_qs, QImage(32, 32, QImage::Format_RGB32)));
    EXPECT_EQ(images.keys(), (QStringList{u"New"_qs, u"Open"_qs}));
    EXPECT_EQ(images.image(u"New"_qs).pixel(8, 8), qRgb(0, 0, 0));
    EXPECT_TRUE(images.image(u"new"_qs).isNull());
    EXPECT_TRUE(images.icon(u"Missing"_qs).isNull());
}

TEST(PictureFromRows, MapsLettersToTheVgaColours)
{
    const QImage picture = PictureFromRows({"kmgobpts", "dRGYBMCw", "........"}, Silver);
    ASSERT_EQ(picture.size(), QSize(8, 3));
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(picture.pixel(i % 8, i / 8), VgaPalette[i]) << i;
    EXPECT_EQ(picture.pixel(0, 2), Silver);
    EXPECT_TRUE(PictureFromRows({"kk", "k"}, Silver).isNull());
    EXPECT_TRUE(PictureFromRows({"kx"}, Silver).isNull());
}
