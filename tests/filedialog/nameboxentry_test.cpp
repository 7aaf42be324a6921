#include "filedialog/filepatterns.h"
#include "filedialog/nameboxentry.h"
#include "platform/filenames.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace {

// The folder /docs as the dialog might show it.
const QSet<QString> Folders = {u"/"_qs, u"/docs"_qs, u"/docs/sub"_qs, u"/docs/caf\xDCE9"_qs};
const QSet<QString> Files = {u"/docs/FILE_ID.DIZ"_qs, u"/docs/README"_qs, u"/docs/other"_qs,
                             u"/docs/other.diz"_qs, u"/docs/sub/inner.diz"_qs};

PathKind KindOf(const QString &path)
{
    return Folders.contains(path) ? PathKind::Folder
                                  : (Files.contains(path) ? PathKind::File : PathKind::Missing);
}

// The meaning as one line: what, where, and for a file whether it exists.
std::string Meaning(const QString &typed, bool open, const QString &defaultExt = u".diz"_qs)
{
    const NameBoxMeaning meaning =
        InterpretNameBox(typed, {u"/docs"_qs, defaultExt, open, KindOf, u"/docs/sub"_qs, open});
    static const char *const kinds[] = {"nothing", "patterns", "folder", "file", "missing folder"};
    QString line = QString::fromLatin1(kinds[int(meaning.kind)]) + u' ' + meaning.path;
    if (meaning.kind == NameBoxMeaning::Kind::Patterns)
        line += u' ' + meaning.patternText;
    if (meaning.kind == NameBoxMeaning::Kind::File)
        line += meaning.exists ? u" (exists)"_qs : u" (new)"_qs;
    return line.toStdString();
}

TEST(InterpretNameBox, APatternListsItsFolderInBothDialogs)
{
    for (const bool open : {true, false}) {
        EXPECT_EQ(Meaning(u"*.txt"_qs, open), "patterns /docs *.txt");
        EXPECT_EQ(Meaning(u"*"_qs, open), "patterns /docs *");
        EXPECT_EQ(Meaning(u"a*.d?z"_qs, open), "patterns /docs a*.d?z");
        EXPECT_EQ(Meaning(u"sub/*.diz;*.nfo"_qs, open), "patterns /docs/sub *.diz;*.nfo");
        EXPECT_EQ(Meaning(u"/docs/sub/../*.txt"_qs, open), "patterns /docs *.txt");
        EXPECT_EQ(Meaning(u"nosuch/*.txt"_qs, open), "missing folder /docs/nosuch");
    }
}

TEST(InterpretNameBox, AFolderIsEnteredByNameRelativeOrAbsolute)
{
    for (const bool open : {true, false}) {
        EXPECT_EQ(Meaning(u"sub"_qs, open), "folder /docs/sub");
        EXPECT_EQ(Meaning(u"sub/"_qs, open), "folder /docs/sub");
        EXPECT_EQ(Meaning(u".."_qs, open), "folder /");
        EXPECT_EQ(Meaning(u"/docs//sub/."_qs, open), "folder /docs/sub");
        EXPECT_EQ(Meaning(u"  "_qs, open), "nothing ");
        EXPECT_EQ(Meaning(u"nosuch/"_qs, open), "missing folder /docs/nosuch");
    }
    EXPECT_EQ(Meaning(u"nosuch/new.diz"_qs, true), "missing folder /docs/nosuch");
}

TEST(InterpretNameBox, SaveAddsTheExtensionToEveryNameWithoutOne)
{
    EXPECT_EQ(Meaning(u"new"_qs, false), "file /docs/new.diz (new)");
    EXPECT_EQ(Meaning(u"README"_qs, false), "file /docs/README.diz (new)");
    EXPECT_EQ(Meaning(u"other"_qs, false), "file /docs/other.diz (exists)");
    EXPECT_EQ(Meaning(u".hidden"_qs, false), "file /docs/.hidden.diz (new)");
    EXPECT_EQ(Meaning(u"FILE_ID.DIZ"_qs, false), "file /docs/FILE_ID.DIZ (exists)");
    EXPECT_EQ(Meaning(u"name."_qs, false), "file /docs/name. (new)");
    EXPECT_EQ(Meaning(u"sub/inner"_qs, false), "file /docs/sub/inner.diz (exists)");
    EXPECT_EQ(Meaning(u"nosuch/new"_qs, false), "file /docs/nosuch/new.diz (new)");
    EXPECT_EQ(Meaning(u"new"_qs, false, u"diz"_qs), "file /docs/new.diz (new)");
    EXPECT_EQ(Meaning(u"new"_qs, false, {}), "file /docs/new (new)");
}

TEST(InterpretNameBox, OpenTakesANameAsItStandsOnlyWhenNoneWithTheExtensionExists)
{
    EXPECT_EQ(Meaning(u"README"_qs, true), "file /docs/README (exists)");
    EXPECT_EQ(Meaning(u"other"_qs, true), "file /docs/other.diz (exists)");
    EXPECT_EQ(Meaning(u"missing"_qs, true), "file /docs/missing.diz (new)");
    EXPECT_EQ(Meaning(u"/docs/sub/inner"_qs, true), "file /docs/sub/inner.diz (exists)");
    EXPECT_EQ(Meaning(u"../docs/FILE_ID.DIZ"_qs, true), "file /docs/FILE_ID.DIZ (exists)");
}

// "~" and "~/..." typed mean what the same text with the home folder written out means; a "~"
// anywhere else, or followed by a name, stands as it is. Homes may hold bytes that are not UTF-8.
TEST(InterpretNameBox, ATildeStandsForTheHomeFolderOnRandomTexts)
{
    QRandomGenerator random(20240612);
    const QStringList homes = {u"/"_qs, u"/docs"_qs, u"/docs/sub"_qs, u"/docs/caf\xDCE9"_qs};
    const QStringList tokens = {u"~"_qs,  u"/"_qs,     u"sub"_qs,   u"README"_qs,
                                u".."_qs, u"*.diz"_qs, u"inner"_qs, u"~user"_qs};
    for (int round = 0; round < 5000; ++round) {
        const QString home = homes.at(random.bounded(homes.size()));
        QString typed;
        for (int i = random.bounded(1, 6); i > 0; --i)
            typed += tokens.at(random.bounded(tokens.size()));
        const bool expands = typed == u"~" || typed.startsWith(u"~/");
        const bool open = random.bounded(2) == 1;
        const auto meaning = [&](const QString &text, const QString &homeGiven) {
            const NameBoxMeaning found =
                InterpretNameBox(text, {u"/docs"_qs, u".diz"_qs, open, KindOf, homeGiven, open});
            return QStringList{QString::number(int(found.kind)), found.path, found.patternText,
                               QString::number(found.exists)};
        };
        ASSERT_EQ(meaning(typed, home),
                  meaning(expands ? home + typed.mid(1) : typed, u"/elsewhere"_qs))
            << DisplayFileName(typed).toStdString() << " at home "
            << DisplayFileName(home).toStdString();
    }
}

// Random names and patterns over a small alphabet, against Qt's own wildcard matching with the
// dialog's two rules added: "*.*" is "*", and hidden names need a pattern that starts with a dot.
TEST(MatchesPatterns, AgreesWithQtsWildcardsOnRandomNames)
{
    QRandomGenerator random(20240611);
    const auto draw = [&](const char *alphabet, int length) {
        QString text;
        for (int i = 0; i < length; ++i)
            text += QChar::fromLatin1(alphabet[random.bounded(int(qstrlen(alphabet)))]);
        return text;
    };
    for (int round = 0; round < 20000; ++round) {
        const QString name = draw("aAbB.", random.bounded(1, 6));
        const QString pattern = draw("abAB.*?", random.bounded(1, 6));
        const QRegularExpression model(
            QRegularExpression::wildcardToRegularExpression(pattern == u"*.*" ? u"*"_qs : pattern),
            QRegularExpression::CaseInsensitiveOption);
        const bool expected =
            model.match(name).hasMatch() && (!name.startsWith(u'.') || pattern.startsWith(u'.'));
        ASSERT_EQ(MatchesPatterns(name, pattern), expected)
            << name.toStdString() << " by " << pattern.toStdString();
    }
    const QString notUtf8 = u"caf"_qs + QChar(char16_t(0xDCE9)) + u".DIZ"_qs;
    EXPECT_TRUE(MatchesPatterns(notUtf8, u"*.diz"_qs));
    EXPECT_TRUE(MatchesPatterns(notUtf8, u"caf?.diz"_qs));
    EXPECT_FALSE(MatchesPatterns(notUtf8, u"*.txt"_qs));
    EXPECT_TRUE(MatchesPatterns(u"x.NFO"_qs, u"*.txt; *.nfo"_qs));
}

} // namespace
