#include "textarea/linebreaks.h"

#include <gtest/gtest.h>

TEST(LineBreaks, SplitRemembersEachForm)
{
    const SplitText split = SplitAtLineBreaks(u"a\r\nb\nc\rd\r\r\n\n"_qs);
    EXPECT_EQ(split.lines, u"a\nb\nc\nd\n\n\n"_qs);
    EXPECT_EQ(split.breaks.kinds(), QByteArray("WLCCWL"));
    EXPECT_EQ(split.breaks.byteLength(), 8);
}

TEST(LineBreaks, TextWithoutBreaksAndEmptyText)
{
    EXPECT_EQ(SplitAtLineBreaks(u"abc"_qs).breaks.count(), 0);
    EXPECT_EQ(SplitAtLineBreaks(QString()).lines, QString());
    EXPECT_EQ(SplitAtLineBreaks(u"\r"_qs).breaks.kinds(), QByteArray("C"));
}

TEST(LineBreaks, ReplacingKeepsTheByteCount)
{
    LineBreaks breaks(QByteArray("LCL"));
    EXPECT_EQ(breaks.byteLength(), 3);
    breaks.replace(1, 1, "WCW");
    EXPECT_EQ(breaks.kinds(), QByteArray("LWCWL"));
    EXPECT_EQ(breaks.byteLength(), 7);
    breaks.replace(0, 5, {});
    EXPECT_EQ(breaks.count(), 0);
    EXPECT_EQ(breaks.byteLength(), 0);
}
