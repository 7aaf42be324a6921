#include "platform/filenames.h"

#include <QRandomGenerator>
#include <QStringDecoder>
#include <gtest/gtest.h>

namespace {

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (const int value : values)
        bytes.append(static_cast<char>(value));
    return bytes;
}

// A piece of a name where UTF-8 goes wrong, or right in a way a converter may not keep.
QByteArray RandomPiece(QRandomGenerator &random)
{
    const auto any = [&](int from, int to) { return random.bounded(from, to + 1); };
    const auto tail = [&] { return any(0x80, 0xBF); };
    switch (random.bounded(10)) {
    case 0: // a byte-order mark
        return Bytes({0xEF, 0xBB, 0xBF});
    case 1: // overlong forms
        return random.bounded(3) == 0   ? Bytes({any(0xC0, 0xC1), tail()})
               : random.bounded(2) == 0 ? Bytes({0xE0, any(0x80, 0x9F), tail()})
                                        : Bytes({0xF0, any(0x80, 0x8F), tail(), tail()});
    case 2: // encoded surrogates, among them those of the escapes U+DC80..U+DCFF
        return Bytes({0xED, any(0xA0, 0xBF), tail()});
    case 3: // past U+10FFFF
        return random.bounded(2) ? Bytes({0xF4, any(0x90, 0xBF), tail(), tail()})
                                 : Bytes({any(0xF5, 0xFF), tail(), tail(), tail()});
    case 4: { // a valid character, cut short or whole
        const char32_t code =
            char32_t(random.bounded(2) ? any(0x80, 0xFFFF) : any(0x10000, 0x10FFFF));
        const QByteArray whole = QString::fromUcs4(&code, 1).toUtf8();
        return random.bounded(2) ? whole : whole.left(random.bounded(1, int(whole.size())));
    }
    case 5:
        return Bytes({any(0x80, 0xFF)});
    default:
        return Bytes({any(1, 0x7F)});
    }
}

} // namespace

// Every byte string comes back as it was, and one that is valid UTF-8 reads as itself, a
// byte-order mark included, wherever it stands.
TEST(FileNames, EveryByteStringComesBackAndValidUtf8ReadsAsItself)
{
    QRandomGenerator random(20261207);
    int valid = 0;
    for (int round = 0; round < 50000; ++round) {
        QByteArray bytes;
        for (int pieces = random.bounded(1, 8); pieces > 0; --pieces)
            bytes += RandomPiece(random);
        const QString name = DecodeFileName(bytes);
        ASSERT_EQ(EncodeFileName(name), bytes) << bytes.toHex().constData();
        QStringDecoder strict(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                        QStringDecoder::Flag::ConvertInitialBom);
        const QString text = strict(bytes);
        if (!strict.hasError()) {
            ++valid;
            ASSERT_EQ(name, text) << bytes.toHex().constData();
        }
    }
    EXPECT_GT(valid, 5000); // the comparison above was made often enough to mean something
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
