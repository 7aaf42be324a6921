#include "textarea/ansi.h"

#include <gtest/gtest.h>

TEST(AnsiBytes, EveryByteHasOneCharacterAndComesBack)
{
    QByteArray all;
    for (int byte = 0; byte < 256; ++byte)
        all.append(static_cast<char>(byte));
    const QString text = DecodeAnsi(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(EncodeAnsi(text), all);
    for (int byte = 0; byte < 256; ++byte)
        EXPECT_EQ(CharToAnsi(text.at(byte)), byte) << byte;
}

TEST(AnsiBytes, WindowsCharactersAndTheUndefinedFive)
{
    EXPECT_EQ(AnsiToChar(0x80), QChar(0x20AC));
    EXPECT_EQ(AnsiToChar(0x99), QChar(0x2122));
    EXPECT_EQ(AnsiToChar(0x9F), QChar(0x0178));
    for (const unsigned char undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        EXPECT_EQ(AnsiToChar(undefined), QChar(undefined));
    EXPECT_EQ(AnsiToChar(0xA0), QChar(0xA0));
    EXPECT_EQ(AnsiToChar(0x00), QChar(0));
}

TEST(AnsiBytes, CharactersWithoutAByteBecomeQuestionMarks)
{
    // U+0080 has no byte: 0x80 is the euro sign.
    for (const char16_t code : {u'\u0080', u'\u0100', u'\u2028', u'\u4E2D', u'\uFFFD'}) {
        EXPECT_EQ(CharToAnsi(QChar(code)), -1) << int(code);
        EXPECT_EQ(ToAnsiRepresentable(QChar(code)), QChar(u'?'));
    }
    EXPECT_EQ(EncodeAnsi(u"a\u4E2D\u20ACb"_qs), QByteArray("a?\x80"
                                                           "b"));
}
