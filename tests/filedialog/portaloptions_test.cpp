#include "filedialog/portaloptions.h"
#include "platform/filenames.h"

#include <QRandomGenerator>
#include <fnmatch.h>
#include <gtest/gtest.h>

namespace {

// The chooser's globs, matched as glob(7) matches them, pick the names the own dialog lists.
TEST(PortalFilters, MatchEveryNameTheOwnDialogLists)
{
    const QList<FilterEntry> entries = ParseFilter(u"Description In Zip|*.diz|All Files|*.*"_qs);
    const QList<PortalFilter> filters = PortalFilters(entries);
    ASSERT_EQ(filters.size(), 2);
    const QString letters = u"dizDIZx."_qs;
    QRandomGenerator random(18);
    for (int round = 0; round < 2000; ++round) {
        QString name;
        for (int length = random.bounded(1, 8); length > 0; --length)
            name += letters.at(random.bounded(letters.size()));
        for (int i = 0; i < 2; ++i) {
            const QString glob = filters.at(i).globs.value(0);
            const bool globMatches =
                fnmatch(glob.toUtf8().constData(), name.toUtf8().constData(), FNM_PERIOD) == 0;
            EXPECT_EQ(globMatches, MatchesPatterns(name, entries.at(i).patternText))
                << name.toStdString() << " by " << glob.toStdString();
        }
    }
}

// Every byte of a name comes back from the address GLib makes of it, which escapes every byte
// but the unreserved ones and "/".
TEST(NameFromFileUri, KeepsEveryByteOfTheName)
{
    QRandomGenerator random(18);
    for (int round = 0; round < 500; ++round) {
        QByteArray name = "/tmp/";
        for (int length = random.bounded(1, 12); length > 0; --length) {
            const int byte = random.bounded(1, 256);
            name += char(byte == '/' ? 'x' : byte);
        }
        const QString uri = u"file://"_qs + QString::fromLatin1(name.toPercentEncoding("/"));
        EXPECT_EQ(EncodeFileName(NameFromFileUri(uri)), name) << uri.toStdString();
    }
    EXPECT_EQ(NameFromFileUri(u"file://localhost/a%20b"_qs), u"/a b"_qs);
    EXPECT_EQ(NameFromFileUri(u"sftp://host/a.diz"_qs), QString());
    EXPECT_EQ(NameFromFileUri(u"file://host/a.diz"_qs), QString());
}

} // namespace
