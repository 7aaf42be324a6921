#include "document/caption.h"
#include "document/gauge.h"

#include "support/testwindow.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString GaugeLiteral =
    u" Bytes\\Characters (Rec. Max is 468 bytes\\Characters including line breaks)"_qs;

QByteArray TenLinesOf45()
{
    QByteArrayList lines;
    for (int i = 0; i < 10; ++i)
        lines << QByteArray(45, static_cast<char>('a' + i));
    return lines.join("\r\n");
}

} // namespace

TEST(Gauge, TextIsTheNumberThenTheLiteral)
{
    EXPECT_EQ(GaugeText(0), u"0"_qs + GaugeLiteral);
    EXPECT_EQ(GaugeText(468), u"468"_qs + GaugeLiteral);
    EXPECT_EQ(GaugeText(10485760), u"10485760"_qs + GaugeLiteral);
}

TEST(Gauge, CountsEveryBreakAtItsLength)
{
    TestWindow test;
    test.text1.setBytes({});
    EXPECT_EQ(test.gauge(), u"0"_qs + GaugeLiteral);
    test.text1.setBytes("abc\r\nde");
    EXPECT_EQ(test.gauge(), u"7"_qs + GaugeLiteral);
    test.text1.setBytes("abc\nde\r");
    EXPECT_EQ(test.gauge(), u"7"_qs + GaugeLiteral);
}

TEST(Gauge, TheRecommendedMaximumAndOneOrTwoPast)
{
    TestWindow test;
    test.text1.setBytes(TenLinesOf45());
    EXPECT_EQ(test.gauge(), u"468"_qs + GaugeLiteral);

    test.text1.moveCursor(QTextCursor::End);
    QTest::keyClicks(&test.text1, "z");
    EXPECT_EQ(test.gauge(), u"469"_qs + GaugeLiteral);

    test.text1.setBytes(TenLinesOf45());
    test.text1.moveCursor(QTextCursor::End);
    QTest::keyClick(&test.text1, Qt::Key_Return);
    EXPECT_EQ(test.gauge(), u"470"_qs + GaugeLiteral);
}

TEST(TextChange, MarksTheDocumentChangedEvenWhenUndoneByHand)
{
    TestWindow test;
    test.text1.setBytes("abc");
    test.state().Changed = FlagFalse;
    test.text1.moveCursor(QTextCursor::End);
    QTest::keyClicks(&test.text1, "d");
    EXPECT_EQ(test.state().Changed, FlagTrue);
    QTest::keyClick(&test.text1, Qt::Key_Backspace);
    EXPECT_EQ(test.state().Changed, FlagTrue);
    EXPECT_EQ(test.gauge(), u"3"_qs + GaugeLiteral);
}

TEST(Caption, NameThenProduct)
{
    EXPECT_EQ(CaptionFor(u"Untitled"_qs), u"Untitled - Vellum"_qs);
    EXPECT_EQ(CaptionFor(u"FILE_ID.DIZ"_qs), u"FILE_ID.DIZ - Vellum"_qs);
    EXPECT_EQ(CaptionFor(QString()), u" - Vellum"_qs);
    EXPECT_EQ(InitialCaption(), u"Vellum"_qs);

    TestWindow test;
    test.state().DisplayName = u"FILE_ID.DIZ"_qs;
    UpdateCaption(test.window);
    EXPECT_EQ(test.form.windowTitle(), u"FILE_ID.DIZ - Vellum"_qs);
}
