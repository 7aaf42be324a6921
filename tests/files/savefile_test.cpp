#include "files/savefile.h"

#include "document/caption.h"
#include "support/childprocess.h"
#include "support/oneboxinchild.h"
#include "support/scratchfolder.h"
#include "support/scripteddialog.h"
#include "support/scriptedmsgbox.h"
#include "support/testwindow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString UnknownProblem =
    u"There was a problem while attempting to save the file. The problem is unknown: Error Code: "_qs;

// A document loaded from path whose text was then changed to text.
void EditedFileDocument(TestWindow &test, const QString &path, const QByteArray &text)
{
    test.text1.setBytes(text);
    test.state() = {path, FlagTrue, FlagTrue, QFileInfo(path).fileName()};
    UpdateCaption(test.window);
}

void EditedUntitledDocument(TestWindow &test, const QByteArray &text)
{
    test.text1.setBytes(text);
    test.state() = {u"Untitled"_qs, FlagTrue, FlagFalse, u"Untitled"_qs};
    UpdateCaption(test.window);
}

using Box = ScriptedMsgBox::Shown;

// Saves a document with a file and returns the one box it showed, checking that the save failed
// and left the document as it was.
Box FailingSave(const QString &path)
{
    TestWindow test;
    EditedFileDocument(test, path, "new text");
    ScriptedMsgBox boxes;
    EXPECT_FALSE(SaveFile(test.window));
    EXPECT_EQ(test.state().Changed, FlagTrue);
    EXPECT_EQ(test.state().FilePath, path);
    EXPECT_EQ(boxes.shown().size(), 1);
    return boxes.only();
}

// The same, in a child that first prepares itself (drops privileges, lowers a limit).
Box FailingSaveInChild(const QString &path, const std::function<bool()> &prepare)
{
    return OneBoxInChild(prepare, [&] {
        TestWindow test;
        EditedFileDocument(test, path, QByteArray(20000, 'n'));
        return !SaveFile(test.window) && test.state().Changed;
    });
}

QStringList FolderEntries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

// A small file system of its own, mounted for one test where the system allows it.
class SmallDisk
{
public:
    explicit SmallDisk(const QString &folder) : folder_(QFile::encodeName(folder))
    {
        mounted_ = ::mount("tmpfs", folder_.constData(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallDisk()
    {
        if (mounted_)
            ::umount(folder_.constData());
    }
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;
    bool mounted() const { return mounted_; }

private:
    QByteArray folder_;
    bool mounted_ = false;
};

mode_t ModeOf(const QString &path)
{
    struct stat status = {};
    ::stat(QFile::encodeName(path).constData(), &status);
    return status.st_mode & 07777;
}

} // namespace

TEST(SaveErrorTable, EveryRowAndTheDefault)
{
    const struct
    {
        int number;
        Box box;
    } rows[] = {
        {52, {u"Save Problem"_qs, u"The file's name was not in the right format."_qs, 48}},
        {55, {u"Save Problem"_qs, u"The file is already open somewhere else."_qs, 48}},
        {61, {u"Disk Full"_qs, u"The disk the file written to is full."_qs, 48}},
        {67, {u"Too Many Files"_qs, u"Too many files are open at the same time."_qs, 48}},
        {70, {u"Permission Denied"_qs, u"Permission was denied to save this file."_qs, 48}},
        {71, {u"Disk not Ready"_qs, u"The Disk is not ready yet."_qs, 48}},
        {75, {u"File\\Path Problem"_qs, u"The was a problem accessing the path or file."_qs, 48}},
        {53, {u"Problems"_qs, UnknownProblem + u"53"_qs, 48}},
        {76, {u"Problems"_qs, UnknownProblem + u"76"_qs, 48}},
        {-3, {u"Problems"_qs, UnknownProblem + u"-3"_qs, 48}},
        {65536 + 76, {u"Problems"_qs, UnknownProblem + u"76"_qs, 48}},
    };
    for (const auto &row : rows) {
        ScriptedMsgBox boxes;
        ReportSaveError(row.number);
        ASSERT_EQ(boxes.shown().size(), 1);
        const auto &shown = boxes.shown().first();
        EXPECT_EQ(Box({shown.title, shown.text, shown.style}), row.box) << row.number;
    }
}

TEST(SaveFile, DocumentWithAFileIsWrittenAsItStandsWithoutADialog)
{
    ScratchFolder folder;
    const QString path = folder.write(u"FILE_ID.DIZ"_qs, "old content that is longer");
    QByteArray text;
    for (int byte = 0; byte < 256; ++byte)
        text += static_cast<char>(byte);
    text += "\r\nCR LF\nLF\rCR" + QByteArray(60, 'w') + "\r\n" + QByteArray(500, '\n');

    TestWindow test;
    EditedFileDocument(test, path, text);
    ScriptedDialog dialogs;
    ScriptedMsgBox boxes;
    EXPECT_TRUE(SaveFile(test.window));
    EXPECT_EQ(ScratchFolder::read(path), text);
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_TRUE(boxes.shown().isEmpty());
    // Clearing the changed mark is the caller's business.
    EXPECT_EQ(test.state().Changed, FlagTrue);
    EXPECT_EQ(FolderEntries(folder.root()), QStringList{u"FILE_ID.DIZ"_qs});
}

TEST(SaveDocument, ClearsChangedAndWritesAgainWithoutEdits)
{
    ScratchFolder folder;
    const QString path = folder.write(u"a.diz"_qs, "old");
    TestWindow test;
    EditedFileDocument(test, path, "new");
    ScriptedMsgBox boxes;
    SaveDocument(test.window);
    EXPECT_EQ(test.state().Changed, FlagFalse);
    EXPECT_EQ(test.state().HasPath, FlagTrue);
    EXPECT_EQ(ScratchFolder::read(path), QByteArray("new"));

    folder.write(u"a.diz"_qs, "changed behind our back");
    SaveDocument(test.window);
    EXPECT_EQ(ScratchFolder::read(path), QByteArray("new"));
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST(SaveFile, UntitledDocumentAsksForANameAndTakesIt)
{
    ScratchFolder folder;
    TestWindow test;
    EditedUntitledDocument(test, "text");
    test.commonDialog1.DialogTitle = u"left over"_qs;
    test.commonDialog1.Flags = 0x1004;
    ScriptedDialog dialogs;
    dialogs.choose(folder.path(u"FILE_ID.DIZ"_qs));
    ScriptedMsgBox boxes;

    EXPECT_TRUE(SaveFile(test.window));
    ASSERT_EQ(dialogs.shown().size(), 1);
    const ScriptedDialog::Shown &shown = dialogs.shown().first();
    EXPECT_EQ(shown.kind, CommonDialog::Kind::Save);
    EXPECT_TRUE(shown.cancelError);
    EXPECT_EQ(shown.defaultExt, u".diz"_qs);
    EXPECT_EQ(shown.dialogTitle, u"Save DIZ File as.."_qs);
    EXPECT_EQ(shown.fileName, u"FILE_ID.DIZ"_qs);
    EXPECT_EQ(shown.filter, u"Description In Zip|*.diz|All Files|*.*"_qs);
    EXPECT_EQ(shown.filterIndex, 1);
    EXPECT_EQ(shown.flags, 2);

    EXPECT_EQ(ScratchFolder::read(folder.path(u"FILE_ID.DIZ"_qs)), QByteArray("text"));
    // A new file gets the permissions any new file gets, not those of a private temporary one.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(ModeOf(folder.path(u"FILE_ID.DIZ"_qs)), 0666u & ~mask);
    EXPECT_EQ(test.state().FilePath, folder.path(u"FILE_ID.DIZ"_qs));
    EXPECT_EQ(test.state().DisplayName, u"FILE_ID.DIZ"_qs);
    EXPECT_EQ(test.state().HasPath, FlagTrue);
    EXPECT_EQ(test.state().Changed, FlagFalse);
    EXPECT_EQ(test.form.windowTitle(), u"FILE_ID.DIZ - Vellum"_qs);
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST(SaveFile, CancelledDialogChangesNothingAndSaysNothing)
{
    ScratchFolder folder;
    TestWindow test;
    EditedUntitledDocument(test, "text");
    ScriptedDialog dialogs;
    dialogs.cancel();
    ScriptedMsgBox boxes;

    SaveDocument(test.window);
    EXPECT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(boxes.shown().isEmpty());
    EXPECT_EQ(test.state().Changed, FlagTrue);
    EXPECT_EQ(test.state().HasPath, FlagFalse);
    EXPECT_EQ(test.state().FilePath, u"Untitled"_qs);
    EXPECT_EQ(test.form.windowTitle(), u"Untitled - Vellum"_qs);
    EXPECT_TRUE(FolderEntries(folder.root()).isEmpty());
}

TEST(SaveFile, UntitledDocumentWhoseWriteFailsKeepsItsState)
{
    ScratchFolder folder;
    TestWindow test;
    EditedUntitledDocument(test, "text");
    ScriptedDialog dialogs;
    dialogs.choose(folder.path(u"absent/FILE_ID.DIZ"_qs));
    ScriptedMsgBox boxes;

    EXPECT_FALSE(SaveFile(test.window));
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().first().text, UnknownProblem + u"76"_qs);
    EXPECT_EQ(test.state().HasPath, FlagFalse);
    EXPECT_EQ(test.state().DisplayName, u"Untitled"_qs);
    EXPECT_EQ(test.form.windowTitle(), u"Untitled - Vellum"_qs);
}

TEST(SaveFailures, MissingFolderTakesTheDefaultRowWithoutADialog)
{
    ScratchFolder folder;
    ScriptedDialog dialogs;
    const Box box = FailingSave(folder.path(u"gone/FILE_ID.DIZ"_qs));
    EXPECT_EQ(box, Box({u"Problems"_qs, UnknownProblem + u"76"_qs, 48}));
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST(SaveFailures, FullDeviceBehindALinkIsDiskFull)
{
    ScratchFolder folder;
    const QString link = folder.path(u"FILE_ID.DIZ"_qs);
    ASSERT_TRUE(QFile::link(u"/dev/full"_qs, link));
    const Box box = FailingSave(link);
    EXPECT_EQ(box, Box({u"Disk Full"_qs, u"The disk the file written to is full."_qs, 48}));
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), u"/dev/full"_qs);
}

TEST(SaveFailures, SizeLimitKeepsWhatTheFileHeld)
{
    ScratchFolder folder;
    const QString path = folder.write(u"FILE_ID.DIZ"_qs, "what the file held");
    const Box box = FailingSaveInChild(path, [] {
        const rlimit limit{4096, 4096};
        return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    });
    EXPECT_EQ(box, Box({u"Disk Full"_qs, u"The disk the file written to is full."_qs, 48}));
    EXPECT_EQ(ScratchFolder::read(path), QByteArray("what the file held"));
    EXPECT_EQ(FolderEntries(folder.root()), QStringList{u"FILE_ID.DIZ"_qs});
}

TEST(SaveFailures, SizeLimitKeepsAFileWithSeveralNamesWhole)
{
    ScratchFolder folder;
    const QString path = folder.write(u"FILE_ID.DIZ"_qs, "what the file held");
    ASSERT_EQ(::link(QFile::encodeName(path).constData(),
                     QFile::encodeName(folder.path(u"second.diz"_qs)).constData()),
              0);
    const Box box = FailingSaveInChild(path, [] {
        const rlimit limit{4096, 4096};
        return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    });
    EXPECT_EQ(box.title, u"Disk Full"_qs);
    EXPECT_EQ(ScratchFolder::read(path), QByteArray("what the file held"));
}

TEST(SaveFailures, FullDiskKeepsWhatTheFileHeld)
{
    ScratchFolder folder;
    SmallDisk disk(folder.root());
    if (!disk.mounted())
        GTEST_SKIP() << "no file system can be mounted here";
    const QString path = folder.write(u"FILE_ID.DIZ"_qs, "what the file held");
    const QString second = folder.write(u"two names.diz"_qs, "held as well");
    ASSERT_EQ(::link(QFile::encodeName(second).constData(),
                     QFile::encodeName(folder.path(u"other name"_qs)).constData()),
              0);

    for (const QString &file : {path, second}) {
        TestWindow test;
        EditedFileDocument(test, file, QByteArray(100000, 'n'));
        ScriptedMsgBox boxes;
        EXPECT_FALSE(SaveFile(test.window));
        ASSERT_EQ(boxes.shown().size(), 1);
        EXPECT_EQ(boxes.shown().first().title, u"Disk Full"_qs);
    }
    EXPECT_EQ(ScratchFolder::read(path), QByteArray("what the file held"));
    EXPECT_EQ(ScratchFolder::read(second), QByteArray("held as well"));
    EXPECT_EQ(FolderEntries(folder.root()).size(), 3);
}

TEST(SaveFailures, FileTheUserMayNotWriteIsRefusedBeforeWriting)
{
    ScratchFolder folder;
    ASSERT_EQ(::chmod(QFile::encodeName(folder.root()).constData(), 0755), 0);
    const QString path = folder.write(u"FILE_ID.DIZ"_qs, "root's");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0644), 0);

    const Box box = FailingSaveInChild(path, DropToUnprivilegedUser);
    EXPECT_EQ(box,
              Box({u"Permission Denied"_qs, u"Permission was denied to save this file."_qs, 48}));
    EXPECT_EQ(ScratchFolder::read(path), QByteArray("root's"));

    const Box newFile = FailingSaveInChild(folder.path(u"new.diz"_qs), DropToUnprivilegedUser);
    EXPECT_EQ(newFile.title, u"Permission Denied"_qs);
    EXPECT_EQ(FolderEntries(folder.root()), QStringList{u"FILE_ID.DIZ"_qs});
}

TEST(SaveFailures, FolderFifoAndNameTooLong)
{
    ScratchFolder folder;
    EXPECT_EQ(FailingSave(folder.root()).title, u"File\\Path Problem"_qs);

    // Nobody reads the FIFO: the save must fail at once rather than wait for a reader.
    const QString fifo = folder.path(u"pipe.diz"_qs);
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_EQ(FailingSave(fifo).title, u"File\\Path Problem"_qs);

    EXPECT_EQ(FailingSave(folder.path(QString(300, u'n'))),
              Box({u"Save Problem"_qs, u"The file's name was not in the right format."_qs, 48}));

    const QString loop = folder.path(u"loop"_qs);
    ASSERT_TRUE(QFile::link(loop, loop));
    EXPECT_EQ(FailingSave(loop).title, u"Problems"_qs);
}

TEST(SaveInPlace, SymbolicLinkKeepsPointingAtItsTarget)
{
    ScratchFolder folder;
    ASSERT_TRUE(QDir(folder.root()).mkdir(u"real"_qs));
    const QString target = folder.write(u"real/FILE_ID.DIZ"_qs, "old");
    const QString link = folder.path(u"link.diz"_qs);
    ASSERT_TRUE(QFile::link(u"real/FILE_ID.DIZ"_qs, link));

    TestWindow test;
    EditedFileDocument(test, link, "new");
    ScriptedMsgBox boxes;
    EXPECT_TRUE(SaveFile(test.window));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), target);
    EXPECT_EQ(ScratchFolder::read(target), QByteArray("new"));
    EXPECT_EQ(FolderEntries(folder.path(u"real"_qs)), QStringList{u"FILE_ID.DIZ"_qs});
}

TEST(SaveInPlace, EveryHardLinkSeesTheNewContent)
{
    ScratchFolder folder;
    const QString path = folder.write(u"FILE_ID.DIZ"_qs, "old content, longer than the new");
    const QString second = folder.path(u"second.diz"_qs);
    ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(second).constData()),
              0);

    TestWindow test;
    EditedFileDocument(test, path, "new");
    ScriptedMsgBox boxes;
    EXPECT_TRUE(SaveFile(test.window));
    EXPECT_EQ(ScratchFolder::read(second), QByteArray("new"));
    EXPECT_EQ(ScratchFolder::read(path), QByteArray("new"));
}

TEST(SaveReplacing, KeepsPermissionBitsAndOwner)
{
    ScratchFolder folder;
    const QString path = folder.write(u"FILE_ID.DIZ"_qs, "old");
    const QByteArray name = QFile::encodeName(path);
    ASSERT_EQ(::chown(name.constData(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(name.constData(), 02640), 0);
    struct stat before = {};
    ASSERT_EQ(::stat(name.constData(), &before), 0);

    TestWindow test;
    EditedFileDocument(test, path, "new");
    ScriptedMsgBox boxes;
    EXPECT_TRUE(SaveFile(test.window));
    struct stat after = {};
    ASSERT_EQ(::stat(name.constData(), &after), 0);
    EXPECT_EQ(ScratchFolder::read(path), QByteArray("new"));
    EXPECT_NE(after.st_ino, before.st_ino) << "the old file should have been replaced whole";
    EXPECT_EQ(ModeOf(path), 02640u);
    EXPECT_EQ(after.st_uid, 65534u);
    EXPECT_EQ(after.st_gid, 65534u);
}

TEST(SaveInPlace, WritableFileInAFolderThatTakesNoNewFiles)
{
    ScratchFolder folder;
    ASSERT_EQ(::chmod(QFile::encodeName(folder.root()).constData(), 0755), 0);
    const QString path = folder.write(u"FILE_ID.DIZ"_qs, "old content");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0666), 0);

    const ChildOutcome outcome = RunInChild([&](int) {
        if (!DropToUnprivilegedUser())
            return 2;
        TestWindow test;
        EditedFileDocument(test, path, "new");
        ScriptedMsgBox boxes;
        return SaveFile(test.window) && boxes.shown().isEmpty() ? 0 : 1;
    });
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(ScratchFolder::read(path), QByteArray("new"));
    EXPECT_EQ(ModeOf(path), 0666u);
}
