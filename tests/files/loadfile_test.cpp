#include "files/loadfile.h"

#include "files/memorybudget.h"
#include "support/childprocess.h"
#include "support/oneboxinchild.h"
#include "support/scratchfolder.h"
#include "support/scriptedmsgbox.h"
#include "support/testwindow.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Lets the process use only the given number of MiB beyond what it uses now, as /proc counts it.
bool LowerLimit(int resource, const QByteArray &field, qint64 mebibytes)
{
    QFile status(u"/proc/self/status"_qs);
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field + ':')) {
            const qint64 used =
                line.mid(field.size() + 1).trimmed().split(' ').value(0).toLongLong();
            const rlimit limit{rlim_t((used << 10) + (mebibytes << 20)), RLIM_INFINITY};
            return ::setrlimit(resource, &limit) == 0;
        }
    }
    return false;
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

// A file too big for the memory left, or whose load runs out of memory on the way, is refused with
// error 7 and the previous document stays.
TEST(LoadErrorBoxes, OutOfMemoryKeepsThePreviousDocument)
{
    const QString outOfMemory = u"The file could not be opened for some reason: Error Number: 7"_qs;
    ScratchFolder folder;
    const QString huge = folder.write(u"huge.diz"_qs, {});
    ASSERT_TRUE(QFile::resize(huge, qint64(8) << 30));
    EXPECT_EQ(FailingLoad(huge).text, outOfMemory);

    const QString big = folder.write(u"big.diz"_qs, QByteArray(32 << 20, 'x'));
    const auto loadKeepsPrevious = [&] {
        TestWindow test;
        test.text1.setBytes("previous");
        return !LoadFile(test.window, big) && test.text1.bytes() == "previous";
    };
    // Under an address-space limit the file is refused before it is read.
    Box box = OneBoxInChild(
        [] { return LowerLimit(RLIMIT_AS, "VmSize", 256) && !FileFitsInMemory(32 << 20); },
        loadKeepsPrevious);
    EXPECT_EQ(box.text, outOfMemory);
    // A limit on the data segment is not foreseen: the text's allocation fails on the way.
    box = OneBoxInChild(
        [] { return LowerLimit(RLIMIT_DATA, "VmData", 48) && FileFitsInMemory(32 << 20); },
        loadKeepsPrevious);
    EXPECT_EQ(box.text, outOfMemory);
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

// Files under /proc report no size: the load reads to the end. The pagemap of the address space
// runs on for far more than memory allows and is refused once it passes the budget.
TEST(LoadFile, ReadsToTheEndWhateverSizeTheFileReports)
{
    TestWindow test;
    ScriptedMsgBox boxes;
    ASSERT_TRUE(LoadFile(test.window, u"/proc/self/status"_qs));
    const QByteArray status = test.text1.bytes();
    EXPECT_TRUE(status.startsWith("Name:\t")) << status.data();
    EXPECT_TRUE(status.contains("\nPid:\t" + QByteArray::number(::getpid()) + '\n'));
    EXPECT_TRUE(status.endsWith('\n'));

    EXPECT_TRUE(boxes.shown().isEmpty());

    const ChildOutcome child = RunInChild([](int output) {
        qint64 mostRead = 0;
        const FileRead read = LowerLimit(RLIMIT_AS, "VmSize", 512)
                                  ? ReadWholeFile(u"/proc/self/pagemap"_qs,
                                                  [&](qint64 done, qint64) { mostRead = done; })
                                  : FileRead{};
        WriteToParent(output, QByteArray::number(read.errorNumber) + ' ' +
                                  QByteArray::number(read.bytes.size()) + ' ' +
                                  QByteArray::number(mostRead > (1 << 20)) + ' ' +
                                  QByteArray::number(FileFitsInMemory(mostRead)));
        return 0;
    });
    // Refused as too big (7), nothing kept, read well past a mebibyte but never past the budget.
    EXPECT_EQ(child.output, "7 0 1 1");
}
