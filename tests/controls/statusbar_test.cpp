#include "controls/statusbar.h"

#include <QLabel>
#include <QLocale>
#include <QRegularExpression>
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
    EXPECT_TRUE(bar.panel(1)->isVisibleTo(&bar));
    bar.clearMessage();
    EXPECT_EQ(bar.panelText(1), u"468 Bytes"_qs);
}
