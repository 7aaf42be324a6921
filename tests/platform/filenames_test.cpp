#include "platform/filenames.h"

#include <QByteArrayList>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <gtest/gtest.h>

namespace {

// Pieces where UTF-8 goes wrong, or goes right in a way a converter may not keep: the byte-order
// mark, overlong forms, encoded surrogates (those of the escapes U+DC80..U+DCFF among them), code
// points past U+10FFFF, sequences cut short, and whole ones. In hex; "xx" is any byte 80..BF.
const QByteArrayList Pieces =
    QByteArray("EFBBBF C0xx C1xx E080xx E09Fxx F08Fxxxx EDA0xx EDB2xx EDB3xx EDBFxx F490xxxx "
               "F5xxxxxx FFxx C3 E282 F09F98 xx C3A9 E282AC EFBFBF F09F9880 F48FBFBF 61 2F")
        .split(' ');

QByteArray RandomPiece(QRandomGenerator &random)
{
    if (random.bounded(4) == 0)
        return QByteArray(1, static_cast<char>(random.bounded(1, 256)));
    const QByteArray hex = Pieces.at(random.bounded(Pieces.size()));
    QByteArray piece;
    for (qsizetype i = 0; i < hex.size(); i += 2) {
        const QByteArray pair = hex.mid(i, 2);
        piece += pair == "xx" ? QByteArray(1, static_cast<char>(random.bounded(0x80, 0xC0)))
                              : QByteArray::fromHex(pair);
    }
    return piece;
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
    EXPECT_GT(valid, 2000); // the comparison above was made often enough to mean something
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
