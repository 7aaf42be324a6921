#include "launch/module1.h"
#include "launch/privatedesktop.h"
#include "support/childprocess.h"
#include "support/scratchfolder.h"
#include "support/scriptedmsgbox.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

// Text files and web pages go to the recorder, and so do https addresses; nothing else has a
// program.
DesktopSetup Recorders()
{
    DesktopSetup setup;
    setup.fileTypes = QStringList{u"text/plain"_qs, u"text/html"_qs};
    setup.urlSchemes = QStringList{u"https"_qs};
    return setup;
}

// A name that a shell would split, unquote and run parts of.
const QString ShellBait =
    u"notes 'single' \"double\" $(touch ran-dollar) `touch ran-backtick`; touch ran-semicolon"_qs;

QString Canonical(const QString &path)
{
    return QDir(path).canonicalPath();
}

bool WaitForFile(const QString &path)
{
    for (int waited = 0; waited < 10000 && !QFile::exists(path); waited += 20)
        QTest::qWait(20);
    return QFile::exists(path);
}

// Files that a shell running the bait would have made, in any of the folders.
QStringList BaitLeftovers(const QStringList &folders)
{
    QStringList found;
    for (const QString &folder : folders)
        found << QDir(folder).entryList({u"ran-*"_qs}, QDir::AllEntries | QDir::Hidden);
    return found;
}

void ExpectOneBox(const ScriptedMsgBox &boxes, const QString &title, const QString &text)
{
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().first().title, title);
    EXPECT_EQ(boxes.shown().first().text, text);
    EXPECT_EQ(boxes.shown().first().style, MsgBoxStyle::OkOnly + MsgBoxStyle::Critical);
}

TEST(LaunchURL, HandsAnAddressToTheProgramForItsScheme)
{
    if (RerunOnPrivateDesktop(Recorders()))
        return;
    const QString address = u"https://vellum.example.org/help?topic=gauge&max=468#lines"_qs;
    ScriptedMsgBox boxes;

    EXPECT_EQ(LaunchURL(nullptr, address, 0), 0);

    const QList<RecordedLaunch> launches = WaitForLaunches(1);
    ASSERT_EQ(launches.size(), 1);
    EXPECT_EQ(launches.first().arguments, QStringList{address});
    EXPECT_TRUE(boxes.shown().isEmpty());
}

// LaunchFile starts the program in the given directory, LaunchURL in ours; either way the name
// arrives as it is and nothing in it is run.
TEST(Launchers, HandOverTheNameUnchangedInTheRightDirectory)
{
    if (RerunOnPrivateDesktop(Recorders()))
        return;
    ScratchFolder scratch;
    ASSERT_TRUE(QDir(scratch.root()).mkdir(ShellBait));
    const QString directory = scratch.path(ShellBait);
    const QString file = scratch.write(ShellBait + u'/' + ShellBait + u".txt"_qs, "DIZ\r\n");
    ScriptedMsgBox boxes;

    EXPECT_EQ(LaunchFile(nullptr, file, directory, 0), 0);
    EXPECT_EQ(LaunchURL(nullptr, file, 0), 0);

    const QList<RecordedLaunch> launches = WaitForLaunches(2);
    ASSERT_EQ(launches.size(), 2);
    QStringList workingDirectories;
    for (const RecordedLaunch &launch : launches) {
        EXPECT_EQ(launch.arguments, QStringList{file});
        workingDirectories << launch.workingDirectory;
        EXPECT_TRUE(WaitForFile(launch.record + u".done"_qs));
    }
    QStringList expected{Canonical(QDir::currentPath()), Canonical(directory)};
    workingDirectories.sort();
    expected.sort();
    EXPECT_EQ(workingDirectories, expected);
    EXPECT_TRUE(boxes.shown().isEmpty());
    EXPECT_EQ(BaitLeftovers({directory, scratch.root(), QDir::currentPath()}), QStringList());
}

TEST(Launchers, AMissingFileIsReportedByEachInItsOwnWords)
{
    if (RerunOnPrivateDesktop(Recorders()))
        return;
    ScratchFolder scratch;
    const QString missing = scratch.path(u"readme.txt"_qs);
    {
        ScriptedMsgBox boxes;
        EXPECT_EQ(LaunchFile(nullptr, missing, scratch.root(), 0), 0);
        ExpectOneBox(boxes, u"File Access Error"_qs, u"The File was not Found."_qs);
    }
    {
        ScriptedMsgBox boxes;
        EXPECT_EQ(LaunchURL(nullptr, scratch.path(u"help.html"_qs), 0), 0);
        ExpectOneBox(boxes, u"Address Access Error"_qs, u"The Address was not Found."_qs);
    }
    EXPECT_TRUE(NothingLaunched());
}

TEST(LaunchFile, AWorkingDirectoryThatIsNoDirectoryIsAPathNotFound)
{
    if (RerunOnPrivateDesktop(Recorders()))
        return;
    ScratchFolder scratch;
    const QString file = scratch.write(u"readme.txt"_qs, "Read me.\n");
    for (const QString &directory : {scratch.path(u"gone"_qs), file}) {
        ScriptedMsgBox boxes;
        EXPECT_EQ(LaunchFile(nullptr, file, directory, 0), 0);
        ExpectOneBox(boxes, u"File Access Error"_qs, u"The Path was not Found."_qs);
    }
    EXPECT_TRUE(NothingLaunched());
}

TEST(Launchers, ATypeOrSchemeWithoutAProgramIsReported)
{
    if (RerunOnPrivateDesktop(Recorders()))
        return;
    ScratchFolder scratch;
    const QString archive = scratch.write(u"files.zip"_qs, QByteArray("PK\x03\x04\0\0\0\0", 8));
    {
        ScriptedMsgBox boxes;
        EXPECT_EQ(LaunchFile(nullptr, archive, scratch.root(), 0), 0);
        ExpectOneBox(boxes, u"File Access Error"_qs,
                     u"File Access Failed: There was no program associated to this file."_qs);
    }
    const QString noBrowser =
        u"URL Access Failed: There was no program associated to this Address. To view this "
        u"Internet address a associated Internet browser is needed."_qs;
    for (const QString &target : {archive, u"gopher://vellum.example.org/"_qs}) {
        ScriptedMsgBox boxes;
        EXPECT_EQ(LaunchURL(nullptr, target, 0), 0);
        ExpectOneBox(boxes, u"Address Access Error"_qs, noBrowser);
    }
    EXPECT_TRUE(NothingLaunched());
}

// The program for text and web pages asks for a terminal, and none is installed: the help page and
// the read-me file (F1, Help > Readme.txt) cannot be shown.
TEST(Launchers, AProgramThatCannotBeStartedIsAnIncompleteAssociation)
{
    DesktopSetup setup = Recorders();
    setup.filesInTerminal = true;
    if (RerunOnPrivateDesktop(setup))
        return;
    // No terminal on the search path; the recorder is named by its full path.
    const QString noPrograms = PrivateDesktopFolder() + u"/no-programs"_qs;
    ASSERT_TRUE(QDir().mkpath(noPrograms));
    qputenv("PATH", QFile::encodeName(noPrograms));
    ScratchFolder scratch;
    const QString readme = scratch.write(u"readme.txt"_qs, "Read me.\n");
    const QString help = scratch.write(u"help.html"_qs, "<p>Help</p>\n");
    const QString fileBox = u"File Access Failed: Program association was Incomplete."_qs;
    const QString addressBox = u"URL Access Failed: Program association was Incomplete."_qs;
    {
        ScriptedMsgBox boxes;
        EXPECT_EQ(LaunchFile(nullptr, readme, scratch.root(), 0), 0);
        ExpectOneBox(boxes, u"File Access Error"_qs, fileBox);
    }
    {
        ScriptedMsgBox boxes;
        EXPECT_EQ(LaunchURL(nullptr, help, 0), 0);
        ExpectOneBox(boxes, u"Address Access Error"_qs, addressBox);
    }
    EXPECT_TRUE(NothingLaunched());
}

TEST(Launchers, SilentOneShowsNothingAndReturnsTheRawResult)
{
    if (RerunOnPrivateDesktop(Recorders()))
        return;
    ScratchFolder scratch;
    const QString file = scratch.write(u"readme.txt"_qs, "Read me.\n");
    const QString archive = scratch.write(u"files.zip"_qs, QByteArray("PK\x03\x04\0\0\0\0", 8));
    const QString missing = scratch.path(u"missing.txt"_qs);
    ScriptedMsgBox boxes;

    EXPECT_EQ(LaunchFile(nullptr, missing, scratch.root(), 1), 2);
    EXPECT_EQ(LaunchURL(nullptr, missing, 1), 2);
    EXPECT_EQ(LaunchFile(nullptr, file, scratch.path(u"gone"_qs), 1), 3);
    EXPECT_EQ(LaunchFile(nullptr, archive, scratch.root(), 1), 31);
    EXPECT_EQ(LaunchURL(nullptr, u"gopher://vellum.example.org/"_qs, 1), 31);
    EXPECT_TRUE(boxes.shown().isEmpty());

    EXPECT_GT(LaunchFile(nullptr, file, scratch.root(), 1), 32);
    EXPECT_GT(LaunchURL(nullptr, file, 1), 32);
    EXPECT_EQ(WaitForLaunches(2).size(), 2);
    EXPECT_TRUE(boxes.shown().isEmpty());

    // Only exactly 1 is quiet.
    EXPECT_EQ(LaunchFile(nullptr, missing, scratch.root(), -1), 0);
    EXPECT_EQ(LaunchURL(nullptr, missing, 2), 0);
    EXPECT_EQ(boxes.shown().size(), 2);
}

TEST(Launchers, ALaunchDoesNotWaitForTheProgram)
{
    if (RerunOnPrivateDesktop(Recorders()))
        return;
    ScratchFolder scratch;
    const QString file = scratch.write(u"readme.txt"_qs, "Read me.\n");
    const QString hold = PrivateDesktopFolder() + u"/hold"_qs;
    ASSERT_TRUE(privatedesktop::WriteText(hold, {}));

    EXPECT_EQ(LaunchFile(nullptr, file, scratch.root(), 0), 0);

    const QList<RecordedLaunch> launches = WaitForLaunches(1);
    ASSERT_EQ(launches.size(), 1);
    EXPECT_FALSE(QFile::exists(launches.first().record + u".done"_qs)); // still running
    ASSERT_TRUE(QFile::remove(hold));
    EXPECT_TRUE(WaitForFile(launches.first().record + u".done"_qs));
}

TEST(Launchers, WhatWeMayNotEnterOrReadIsAccessDenied)
{
    DesktopSetup setup = Recorders();
    setup.openToAll = true;
    if (RerunOnPrivateDesktop(setup))
        return;
    // Inside the desktop's folder, which every user may enter; "locked" is for its owner only.
    QDir folder(PrivateDesktopFolder());
    ASSERT_TRUE(folder.mkpath(u"open"_qs) && folder.mkpath(u"locked/inner"_qs));
    ASSERT_TRUE(privatedesktop::WriteText(folder.filePath(u"open/readme.txt"_qs), u"Read me."_qs));
    ASSERT_TRUE(privatedesktop::WriteText(folder.filePath(u"locked/secret.txt"_qs), u"Mine."_qs));
    ASSERT_TRUE(QFile::setPermissions(folder.filePath(u"locked"_qs),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const QString open = folder.filePath(u"open"_qs);
    const QString readme = folder.filePath(u"open/readme.txt"_qs);
    const QString locked = folder.filePath(u"locked"_qs);
    const QString secret = folder.filePath(u"locked/secret.txt"_qs);

    const ChildOutcome outcome = RunInChild([&](int output) {
        if (!DropToUnprivilegedUser())
            return 2;
        const QList<std::int32_t> results{
            LaunchFile(nullptr, readme, locked, 1),
            LaunchFile(nullptr, readme, locked + u"/inner"_qs, 1),
            LaunchFile(nullptr, secret, open, 1),
            LaunchURL(nullptr, secret, 1),
        };
        QStringList written;
        for (const std::int32_t result : results)
            written << QString::number(result);
        WriteToParent(output, written.join(u' ').toUtf8());
        return 0;
    });
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(outcome.output, "5 5 5 5");
    EXPECT_TRUE(NothingLaunched());
}

} // namespace
