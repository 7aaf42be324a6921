#include "shownform.h"

#include "controls/statusbar.h"
#include "textarea/textarea.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

// Positions in logical pixels: the window's layout at 15 twips to a pixel.

TEST(Form1Layout, TopLevelControlsFillTheClientAreaBelowTheMenuBar)
{
    ShownForm shown;
    QWidget *client = shown.form.centralWidget();
    EXPECT_EQ(client->size(), QSize(494, 408));
    EXPECT_EQ(client->y(), shown.form.menuBar()->geometry().bottom() + 1);
    EXPECT_EQ(shown.form.size(), QSize(494, 408 + client->y()));

    EXPECT_EQ(ShownForm::rectIn(shown.child(u"Toolbar1"_qs), client), QRect(0, 0, 494, 24));
    EXPECT_EQ(ShownForm::rectIn(shown.child(u"Picture1"_qs), client), QRect(0, 29, 493, 357));
    EXPECT_EQ(ShownForm::rectIn(shown.child(u"StatusBar1"_qs), client), QRect(0, 387, 494, 21));
    // The sunken border is two pixels wide all round.
    EXPECT_EQ(ShownForm::rectIn(shown.guide(), shown.child(u"Picture1"_qs)), QRect(2, 2, 489, 353));
}

TEST(Form1Layout, WindowIsFixedAndHasNoMaximiseButton)
{
    ShownForm shown;
    Form1 &form = shown.form;
    const Qt::WindowFlags flags = form.windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    const QList<QSize> iconSizes = form.windowIcon().availableSizes();
    EXPECT_TRUE(iconSizes.contains(QSize(32, 32)));
    EXPECT_TRUE(iconSizes.contains(QSize(16, 16)));

    const QSize size = form.size();
    form.resize(800, 600);
    QApplication::processEvents();
    EXPECT_EQ(form.size(), size);

    const QRect textArea = ShownForm::rectIn(shown.text(), shown.guide());
    form.showMinimized();
    QApplication::processEvents();
    form.showNormal();
    QApplication::processEvents();
    EXPECT_EQ(form.size(), size);
    EXPECT_EQ(ShownForm::rectIn(shown.text(), shown.guide()), textArea);
}

TEST(Form1Layout, WindowIsCentredAndTheTextAreaHasTheFocus)
{
    ShownForm shown;
    const QRect screen = shown.form.screen()->availableGeometry();
    const QPoint offset = shown.form.frameGeometry().center() - screen.center();
    EXPECT_LE(std::abs(offset.x()), 2);
    EXPECT_LE(std::abs(offset.y()), 2);
    EXPECT_EQ(QApplication::focusWidget(), shown.text());
}

TEST(Form1Layout, TextAreaAndBarsOnTheGuide)
{
    ShownForm shown;
    QWidget *guide = shown.guide();
    EXPECT_EQ(ShownForm::rectIn(shown.text(), guide), QRect(64, 32, 369, 321));
    EXPECT_EQ(shown.text()->frameWidth(), 0);

    const QRect bars[] = {
        {64, 320, 369, 2}, {64, 256, 369, 2}, {64, 192, 369, 2}, {423, 32, 2, 321}};
    const QList<QObject *> stacking = guide->children();
    const qsizetype textPlace = stacking.indexOf(shown.text());
    for (int index = 0; index < 4; ++index) {
        SCOPED_TRACE(index);
        QWidget *bar = shown.child(u"Frame3(%1)"_qs.arg(index));
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(ShownForm::rectIn(bar, guide), bars[index]);
        EXPECT_GT(stacking.indexOf(bar), textPlace);
        EXPECT_TRUE(bar->testAttribute(Qt::WA_TransparentForMouseEvents));
    }
}

TEST(Form1Layout, CaptionsWithTheirTextsFitTheirBoxes)
{
    ShownForm shown;
    struct Expected
    {
        const char16_t *text;
        QRect box;
    };
    const Expected captions[] = {
        {u"Maximum 45 characters across", {168, 8, 153, 17}},
        {u"Standard Maximum (10 Lines)", {8, 152, 49, 41}},
        {u"2", {40, 56, 17, 17}},
        {u"4", {40, 88, 17, 17}},
        {u"6", {40, 120, 17, 17}},
        {u"12", {40, 216, 17, 17}},
        {u"14", {40, 248, 17, 17}},
        {u"16", {40, 280, 17, 17}},
        {u"18", {40, 312, 17, 17}},
        {u"No character at red column", {440, 32, 49, 57}},
    };
    for (int index = 0; index < 10; ++index) {
        SCOPED_TRACE(index);
        auto *label = shown.form.findChild<QLabel *>(u"Label1(%1)"_qs.arg(index));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QString::fromUtf16(captions[index].text));
        EXPECT_EQ(ShownForm::rectIn(label, shown.guide()), captions[index].box);
        EXPECT_EQ(QFontInfo(label->font()).family(), QFontInfo(QApplication::font()).family());
        const QRectF used =
            QFontMetricsF(label->font())
                .boundingRect(QRectF(label->rect()), Qt::TextWordWrap, label->text());
        EXPECT_LE(used.width(), label->width());
        EXPECT_LE(used.height(), label->height());
    }
}

TEST(Form1Layout, StatusBarPanels)
{
    ShownForm shown;
    auto *statusBar = shown.form.findChild<StatusBar *>(u"StatusBar1"_qs);
    ASSERT_NE(statusBar, nullptr);
    EXPECT_EQ(statusBar->panel(1)->width(), 421);
    EXPECT_EQ(statusBar->panel(2)->width(), 53);
    // Panel 1 starts at the bar's left edge, panel 2 follows it.
    EXPECT_EQ(statusBar->panel(1)->mapTo(statusBar, QPoint(0, 0)).x(), 0);
    EXPECT_EQ(statusBar->panel(2)->mapTo(statusBar, QPoint(0, 0)).x(), 421 + StatusBar::PanelGap);
    EXPECT_FALSE(statusBar->panelText(2).isEmpty());
    // The longest gauge a description comes near is read whole.
    const QString gauge = statusBar->panelText(1);
    EXPECT_TRUE(gauge.startsWith(u"0 Bytes"_qs));
    const QString longGauge = u"9999"_qs + gauge.mid(1);
    EXPECT_LE(QFontMetricsF(statusBar->panel(1)->font()).horizontalAdvance(longGauge),
              statusBar->panel(1)->contentsRect().width());
}
