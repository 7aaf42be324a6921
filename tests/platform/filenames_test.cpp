#include "platform/filenames.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

// Random byte strings, biased towards the lead and continuation bytes where UTF-8 goes wrong.
TEST(FileNames, EveryByteStringComesBackAndValidUtf8ReadsAsItself)
{
    QRandomGenerator random(20261207);
    const QByteArray interesting("\x80\xBF\xC0\xC1\xC2\xDF\xE0\xED\xEF\xF0\xF4\xF5\xFF"
                                 "a/.");
    for (int round = 0; round < 20000; ++round) {
        QByteArray bytes;
        const int length = random.bounded(1, 12);
        for (int k = 0; k < length; ++k) {
            bytes.append(random.bounded(2) ? interesting.at(random.bounded(interesting.size()))
                                           : static_cast<char>(random.bounded(1, 256)));
        }
        const QString name = DecodeFileName(bytes);
        ASSERT_EQ(EncodeFileName(name), bytes) << bytes.toHex().constData();
        const QString strict = QString::fromUtf8(bytes);
        if (!strict.contains(QChar::ReplacementCharacter)) {
            EXPECT_EQ(name, strict) << bytes.toHex().constData();
        }
    }
}

TEST(FileNames, NamesThatAreNotUtf8ShowAsAFileManagerShowsThem)
{
    const QString latin1 = DecodeFileName("caf\xe9.diz");
    EXPECT_EQ(DisplayFileName(latin1), u"caf\uFFFD.diz"_qs);
    // A character beyond U+FFFF holds a low surrogate that is not a byte of its own.
    const QString emoji = DecodeFileName("\xF0\x90\x82\x80\xE9");
    EXPECT_EQ(DisplayFileName(emoji), u"\U00010080\uFFFD"_qs);
    EXPECT_EQ(EncodeFileName(emoji), QByteArray("\xF0\x90\x82\x80\xE9"));
    EXPECT_EQ(FileNamePart(DecodeFileName("/a/b\xe9.diz")), DecodeFileName("b\xe9.diz"));
    EXPECT_EQ(FolderPart(u"/a/b.diz"_qs), u"/a"_qs);
    EXPECT_EQ(FolderPart(u"/b.diz"_qs), u"/"_qs);
    EXPECT_EQ(FolderPart(u"b.diz"_qs), u"."_qs);
}
