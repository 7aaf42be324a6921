#include "filedialog/folderlisting.h"

#include "filedialog/filedialog.h"
#include "platform/filenames.h"
#include "support/childprocess.h"
#include "support/scratchfolder.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// What the test put on the disk: few sizes and times, so that ties are decided by the names.
struct Made
{
    QByteArray name;
    enum { Folder, File, Broken } kind;
    qint64 size;
    timespec time;
};

QByteArray RandomName(QRandomGenerator &random)
{
    QByteArray name = random.bounded(5) ? "" : ".";
    for (int length = 1 + random.bounded(3); length > 0; --length)
        name += "aAbZ0_\xe9"[random.bounded(7)];
    return name + QByteArrayList({"", ".diz", ".DIZ", ".txt"}).at(random.bounded(4));
}

Made MakeRandomEntry(const QByteArray &folder, const QByteArray &name, QRandomGenerator &random)
{
    const qint64 sizes[] = {0, 999, 1000, 1'500'000, 5'000'000'000};
    Made made{name,
              decltype(Made::kind)(random.bounded(3)),
              sizes[random.bounded(5)],
              {random.bounded(3) * 100'000'000, random.bounded(2) * 999'999'999}};
    const QByteArray path = folder + '/' + name;
    if (made.kind == Made::Folder)
        ::mkdir(path.constData(), 0755);
    else if (made.kind == Made::Broken)
        (void)!::symlink("nowhere", path.constData());
    else
        ::close(::creat(path.constData(), 0644));
    (void)!::truncate(path.constData(), made.size);
    const timespec times[] = {made.time, made.time};
    ::utimensat(AT_FDCWD, path.constData(), times, AT_SYMLINK_NOFOLLOW);
    return made;
}

// The listing put another way: the shown ones sorted by a key, each group turned round for
// descending.
QList<Made> Expected(QList<Made> made, int pattern, bool hiddenShown, int column, bool descending)
{
    made.removeIf([&](const Made &m) {
        const bool hidden = m.name.startsWith('.');
        if (m.kind != Made::Folder && pattern != 1)
            return pattern == 2 ? !hidden
                                : (hidden && !hiddenShown) || !m.name.toLower().endsWith(".diz");
        return hidden && !hiddenShown;
    });
    const auto key = [column](const Made &m) {
        const qint64 size = m.kind == Made::File ? m.size : m.kind == Made::Broken ? -1 : 0;
        const qint64 time = m.time.tv_sec * 1'000'000'000LL + m.time.tv_nsec;
        // By bytes: the letters are ASCII, and Qt's lower case of a lone surrogate is unsteady.
        return std::tuple(m.kind != Made::Folder, QList<qint64>{0, size, time}.at(column),
                          m.name.toLower(), m.name);
    };
    std::sort(made.begin(), made.end(), [&](auto &a, auto &b) { return key(a) < key(b); });
    const auto files =
        std::find_if(made.begin(), made.end(), [](auto &m) { return m.kind != Made::Folder; });
    if (descending) {
        std::reverse(made.begin(), files);
        std::reverse(files, made.end());
    }
    return made;
}

TEST(FolderListing, ListsARandomFolderInEveryOrderWithAndWithoutHiddenNames)
{
    const ScratchFolder folder;
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    const QByteArray root = EncodeFileName(folder.root());
    QList<Made> made;
    for (int i = 0; i < 80; ++i) {
        const QByteArray name = RandomName(random);
        if (std::none_of(made.begin(), made.end(), [&](auto &m) { return m.name == name; }))
            made.append(MakeRandomEntry(root, name, random));
    }
    const auto removeMade = qScopeGuard([&] { // Qt cannot remove names that are not UTF-8
        for (const Made &m : made)
            (m.kind == Made::Folder ? ::rmdir : ::unlink)((root + '/' + m.name).constData());
    });
    FolderListing listing;
    QItemSelectionModel selection(&listing);
    // Each pattern with and without hidden names, each listing in every order; the current row
    // follows its entry through each sort.
    for (int step = 0; step < 3 * 2 * 6; ++step) {
        SCOPED_TRACE(testing::Message() << "seed " << seed << " step " << step);
        if (step % 6 == 0) {
            listing.setHiddenShown(step / 6 % 2);
            listing.show(folder.root(),
                         QStringList({u"*.diz"_qs, u"*.*"_qs, u".*"_qs}).at(step / 12));
        }
        const int current = listing.rowCount() ? random.bounded(listing.rowCount()) : 0;
        selection.setCurrentIndex(listing.index(current), QItemSelectionModel::ClearAndSelect);
        const QString currentName = listing.rowCount() ? listing.entry(current).name : QString();
        listing.sort(step / 2 % 3, Qt::SortOrder(step % 2));
        const QList<Made> expected =
            Expected(made, step / 12, step / 6 % 2, step / 2 % 3, step % 2);
        ASSERT_EQ(listing.rowCount(), expected.size());
        const QModelIndex now = selection.currentIndex();
        EXPECT_EQ(now.isValid() ? listing.entry(now.row()).name : QString(), currentName);
        for (int row = 0; row < expected.size(); ++row) {
            const Made &want = expected.at(row);
            const FolderListing::Entry &got = listing.entry(row);
            ASSERT_EQ(EncodeFileName(got.name), want.name) << row;
            EXPECT_EQ(std::tuple(got.isFolder, got.isBrokenLink, got.size, got.modified),
                      std::tuple(want.kind == Made::Folder, want.kind == Made::Broken,
                                 want.kind == Made::File ? want.size : 0,
                                 want.time.tv_sec * 1'000'000'000LL + want.time.tv_nsec));
            EXPECT_EQ(listing.index(row).data(Qt::AccessibleDescriptionRole).toString(),
                      QStringList({u"Folder"_qs, u"File"_qs, u"Broken link"_qs}).at(want.kind));
            EXPECT_EQ(listing.index(row, 1).data().isNull(), want.kind != Made::File);
            EXPECT_EQ(listing.flags(listing.index(row)).testFlag(Qt::ItemIsEnabled),
                      want.kind != Made::Broken);
        }
    }
}

// Root may read any folder; another user meets the system's refusal, and the dialog says it.
TEST(FolderListing, TheDialogSaysWhyAFolderCannotBeRead)
{
    const ScratchFolder folder;
    ::chmod(folder.root().toUtf8().constData(), 0755);
    ::mkdir(folder.path(u"locked"_qs).toUtf8().constData(), 0700);
    const ChildOutcome outcome = RunInChild([&](int output) {
        if (!DropToUnprivilegedUser())
            return 2;
        FileDialog dialog(CommonDialog(), CommonDialog::Kind::Open, folder.path(u"locked"_qs));
        const auto *label = dialog.findChild<QLabel *>(u"readErrorLabel"_qs);
        const auto *list = dialog.findChild<QAbstractItemView *>(u"fileList"_qs);
        QStringList seen;
        for (const QString &goUp : {u".."_qs, QString()}) {
            seen << (label->isVisibleTo(&dialog) ? label->text() : u"-"_qs)
                 << list->accessibleDescription() << QString::number(list->model()->rowCount());
            dialog.findChild<QLineEdit *>(u"fileNameEdit"_qs)->setText(goUp);
            dialog.accept();
        }
        WriteToParent(output, seen.join(u'\n').toUtf8());
        return 0;
    });
    ASSERT_EQ(outcome.exitCode, 0);
    const QString refusal = u"This folder cannot be read: Permission denied"_qs;
    EXPECT_EQ(QString::fromUtf8(outcome.output).split(u'\n'),
              QStringList({refusal, refusal, u"0"_qs, u"-"_qs, QString(), u"1"_qs}));
}

} // namespace
