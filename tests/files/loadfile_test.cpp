#include "files/loadfile.h"

#include "support/childprocess.h"
#include "support/oneboxinchild.h"
#include "support/scratchfolder.h"
#include "support/scriptedmsgbox.h"
#include "support/testwindow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

using Box = ScriptedMsgBox::Shown;

// Loads the path into a window that already holds a document, and returns the one box shown.
Box FailingLoad(const QString &path)
{
    TestWindow test;
    test.text1.setBytes("previous");
    ScriptedMsgBox boxes;
    EXPECT_FALSE(LoadFile(test.window, path));
    EXPECT_EQ(test.text1.bytes(), QByteArray("previous"));
    EXPECT_EQ(boxes.shown().size(), 1);
    return boxes.only();
}

// The same, in a child that first prepares itself (drops privileges, lowers a limit).
Box FailingLoadInChild(const QString &path, const std::function<bool()> &prepare)
{
    return OneBoxInChild(prepare, [&] {
        TestWindow test;
        return !LoadFile(test.window, path);
    });
}

} // namespace

TEST(LoadErrorBoxes, MissingFileInAnExistingFolder)
{
    ScratchFolder folder;
    const Box box = FailingLoad(folder.path(u"FILE_ID.DIZ"_qs));
    EXPECT_EQ(box.title, u"File not Found"_qs);
    EXPECT_EQ(box.text, u"The file specified was not found."_qs);
    EXPECT_EQ(box.style, 48);
}

TEST(LoadErrorBoxes, MissingFolderOrAFileWhereAFolderShouldBe)
{
    ScratchFolder folder;
    Box box = FailingLoad(folder.path(u"absent/FILE_ID.DIZ"_qs));
    EXPECT_EQ(box.title, u"Path not Found"_qs);
    EXPECT_EQ(box.text, u"The path specified was not found."_qs);
    EXPECT_EQ(box.style, 48);

    const QString file = folder.write(u"plain"_qs, "x");
    box = FailingLoad(file + u"/FILE_ID.DIZ"_qs);
    EXPECT_EQ(box.title, u"Path not Found"_qs);
}

TEST(LoadErrorBoxes, FolderAndFifoAreRefusedWithoutHanging)
{
    ScratchFolder folder;
    Box box = FailingLoad(folder.root());
    EXPECT_EQ(box.title, u"Path\\File Access Problem"_qs);
    EXPECT_EQ(box.text, u"There was a problem accessing the path or file."_qs);
    EXPECT_EQ(box.style, 48);

    const QString fifo = folder.path(u"pipe.diz"_qs);
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    box = FailingLoad(fifo);
    EXPECT_EQ(box.title, u"Path\\File Access Problem"_qs);
}

TEST(LoadErrorBoxes, PermissionDeniedToAnotherUser)
{
    ScratchFolder folder;
    QFile::setPermissions(folder.root(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                             QFileDevice::ExeOwner | QFileDevice::ExeOther);
    const QString file = folder.write(u"FILE_ID.DIZ"_qs, "secret");
    ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), 0600), 0);

    const Box box = FailingLoadInChild(file, DropToUnprivilegedUser);
    EXPECT_EQ(box.title, u"Permission denied"_qs);
    EXPECT_EQ(box.text, u"Permission was denied to open this file."_qs);
    EXPECT_EQ(box.style, 48);
}

TEST(LoadErrorBoxes, TooManyOpenFiles)
{
    ScratchFolder folder;
    const QString file = folder.write(u"FILE_ID.DIZ"_qs, "x");
    const Box box = FailingLoadInChild(file, [] {
        // Every descriptor below the limit is taken, so the next open fails.
        const rlimit limit{16, 16};
        if (::setrlimit(RLIMIT_NOFILE, &limit) != 0)
            return false;
        while (::dup(0) >= 0) {
        }
        return true;
    });
    EXPECT_EQ(box.title, u"Too Many Files"_qs);
    EXPECT_EQ(box.text,
              u"Too many files are open at the same time, please close some before retrying."_qs);
}

TEST(LoadErrorBoxes, ANameTheSystemRejectsTakesTheDefaultRow)
{
    ScratchFolder folder;
    const Box box = FailingLoad(folder.path(QString(300, u'n')));
    EXPECT_EQ(box.title, u"File Problem"_qs);
    EXPECT_EQ(box.text, u"The file could not be opened for some reason: Error Number: 52"_qs);
    EXPECT_EQ(box.style, 48);
}

TEST(LoadErrorBoxes, AFileShorterThanItsSizeKeepsThePreviousDocument)
{
    // Kernel attribute files report a page as their size but hold a few bytes: the read comes
    // up short of the length taken at open time.
    QString shortFile;
    for (const QString &candidate : {u"/sys/kernel/mm/transparent_hugepage/enabled"_qs,
                                     u"/sys/kernel/profiling"_qs, u"/sys/power/state"_qs}) {
        const QFileInfo info(candidate);
        QFile probe(candidate);
        if (info.isFile() && info.size() > 0 && probe.open(QIODevice::ReadOnly) &&
            probe.readAll().size() < info.size()) {
            shortFile = candidate;
            break;
        }
    }
    if (shortFile.isEmpty())
        GTEST_SKIP() << "no file here reports more bytes than it holds";
    const Box box = FailingLoad(shortFile);
    EXPECT_EQ(box.title, u"File Problem"_qs);
    EXPECT_EQ(box.text, u"The file could not be opened for some reason: Error Number: 62"_qs);
}

TEST(LoadErrorTable, EveryRowAndTheDefault)
{
    EXPECT_EQ(LoadErrorTable(55).title, u"File Problem"_qs);
    EXPECT_EQ(LoadErrorTable(55).text, u"The file is already open someplace else."_qs);
    EXPECT_EQ(LoadErrorTable(71).title, u"Disk not Ready"_qs);
    EXPECT_EQ(LoadErrorTable(71).text, u"The disk is not ready yet."_qs);
    EXPECT_EQ(LoadErrorTable(-5).text,
              u"The file could not be opened for some reason: Error Number: -5"_qs);
    EXPECT_EQ(LoadErrorTable(65536 + 61).text,
              u"The file could not be opened for some reason: Error Number: 61"_qs);
}

TEST(LoadFile, PutsTheWholeFileIntoTheTextArea)
{
    ScratchFolder folder;
    QByteArray content;
    for (int i = 0; i < 10; ++i)
        content += QByteArray(45, 'x') + (i < 9 ? "\r\n" : "");
    const QString file = folder.write(u"FILE_ID.DIZ"_qs, content);
    TestWindow test;
    ScriptedMsgBox boxes;
    ASSERT_TRUE(LoadFile(test.window, file));
    EXPECT_TRUE(boxes.shown().isEmpty());
    EXPECT_EQ(test.text1.bytes(), content);
    EXPECT_EQ(test.state().Changed, FlagTrue);
    EXPECT_TRUE(test.gauge().startsWith(u"468 "_qs));

    const QString empty = folder.write(u"empty.diz"_qs, {});
    ASSERT_TRUE(LoadFile(test.window, empty));
    EXPECT_TRUE(test.text1.bytes().isEmpty());
    EXPECT_TRUE(test.gauge().startsWith(u"0 "_qs));
}
