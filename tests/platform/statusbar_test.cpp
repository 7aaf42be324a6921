#include "platform/statusbar.h"

#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QString ClockIn(const QLocale &locale)
{
    const QLocale previous;
    QLocale::setDefault(locale);
    const StatusBar bar;
    QLocale::setDefault(previous);
    return bar.panelText(2);
}

} // namespace

TEST(StatusBarClock, ShowsHoursAndMinutesInTheShortFormat)
{
    const QString american = ClockIn(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_TRUE(QRegularExpression(u"^\\d{1,2}:\\d{2}\\s?(AM|PM)$"_qs).match(american).hasMatch())
        << american.toStdString();
    const QString plain = ClockIn(QLocale::c());
    EXPECT_TRUE(QRegularExpression(u"^\\d{2}:\\d{2}$"_qs).match(plain).hasMatch())
        << plain.toStdString();
}

TEST(StatusBarPanels, TextStaysWhenTheBarShowsAMessage)
{
    StatusBar bar;
    bar.setPanelText(1, u"468 Bytes"_qs);
    bar.showMessage(u"a status tip"_qs);
    bar.clearMessage();
    EXPECT_EQ(bar.panelText(1), u"468 Bytes"_qs);
}

// Panel 1 starts at the bar's left edge and panel 2 follows it, whatever the bar's width; a
// message shown meanwhile moves neither.
TEST(StatusBarPanels, StandSideBySideFromTheLeftEdge)
{
    StatusBar bar;
    bar.setPanelWidths(421, 53);
    bar.resize(494, 21);
    bar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar, 30000));
    for (int width : {494, 600}) {
        SCOPED_TRACE(width);
        bar.resize(width, 21);
        bar.showMessage(u"a status tip"_qs);
        QApplication::processEvents();
        const QRect first(bar.panel(1)->mapTo(&bar, QPoint(0, 0)), bar.panel(1)->size());
        const QRect second(bar.panel(2)->mapTo(&bar, QPoint(0, 0)), bar.panel(2)->size());
        EXPECT_EQ(first, QRect(0, first.y(), 421, first.height()));
        EXPECT_EQ(second.x(), first.right() + 1 + StatusBar::PanelGap);
        EXPECT_EQ(second.width(), 53);
        EXPECT_TRUE(bar.panel(1)->isVisible() && bar.panel(2)->isVisible());
        bar.clearMessage();
    }
}
