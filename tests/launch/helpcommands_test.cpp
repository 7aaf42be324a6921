#include "launch/helpcommands.h"
#include "launch/privatedesktop.h"
#include "platform/process.h"
#include "support/scriptedmsgbox.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

// The program's folder, with a name a shell would make much of.
const QString ProgramFolder = u"Vellum 'tools' \"1.0\" $(touch ran-dollar) `touch ran-tick`"_qs;

DesktopSetup ProgramCopy(const QStringList &besideProgram)
{
    DesktopSetup setup;
    setup.fileTypes = QStringList{u"text/plain"_qs, u"text/html"_qs};
    setup.programFolder = ProgramFolder;
    setup.besideProgram = besideProgram;
    return setup;
}

TEST(HelpFiles, TheBuildPutsThemBesideTheProgram)
{
    QFile page(ProgramDirectory() + u"/help.html"_qs);
    QFile readme(ProgramDirectory() + u"/readme.txt"_qs);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
    const QByteArray html = page.readAll();
    EXPECT_TRUE(html.startsWith("<!DOCTYPE html>"));
    for (const char *topic : {"468", "45 characters", "Ctrl</kbd>+<kbd>S", "F1", "Readme.txt"})
        EXPECT_TRUE(html.contains(topic)) << topic;
    EXPECT_TRUE(readme.readAll().contains("FILE_ID.DIZ"));
}

TEST(HelpCommands, OpenTheFilesBesideTheProgram)
{
    if (RerunOnPrivateDesktop(ProgramCopy({u"help.html"_qs, u"readme.txt"_qs})))
        return;
    const QString programDirectory = ProgramDirectory();
    ASSERT_TRUE(programDirectory.endsWith(u'/' + ProgramFolder));
    ScriptedMsgBox boxes;

    ShowHelpPage(nullptr);
    const QList<RecordedLaunch> page = WaitForLaunches(1);
    ShowReadme(nullptr);
    QList<RecordedLaunch> both = WaitForLaunches(2);
    ASSERT_EQ(page.size(), 1);
    ASSERT_EQ(both.size(), 2);
    both.removeIf([&](const RecordedLaunch &launch) { return launch.record == page[0].record; });
    ASSERT_EQ(both.size(), 1);
    const RecordedLaunch &readme = both.first();

    // The help page goes without a working directory: it starts in ours.
    EXPECT_EQ(page[0].arguments, QStringList{programDirectory + u"/help.html"_qs});
    EXPECT_EQ(page[0].workingDirectory, QDir::current().canonicalPath());
    EXPECT_EQ(readme.arguments, QStringList{programDirectory + u"/readme.txt"_qs});
    EXPECT_EQ(readme.workingDirectory, QDir(programDirectory).canonicalPath());
    EXPECT_TRUE(boxes.shown().isEmpty());
    EXPECT_TRUE(QDir(programDirectory).entryList({u"ran-*"_qs}).isEmpty());
}

TEST(HelpCommands, MissingFilesAreReportedByTheLaunchers)
{
    if (RerunOnPrivateDesktop(ProgramCopy({})))
        return;
    ScriptedMsgBox boxes;

    ShowHelpPage(nullptr);
    ShowReadme(nullptr);

    ASSERT_EQ(boxes.shown().size(), 2);
    EXPECT_EQ(boxes.shown()[0].title, u"Address Access Error"_qs);
    EXPECT_EQ(boxes.shown()[0].text, u"The Address was not Found."_qs);
    EXPECT_EQ(boxes.shown()[1].title, u"File Access Error"_qs);
    EXPECT_EQ(boxes.shown()[1].text, u"The File was not Found."_qs);
    for (const ScriptedMsgBox::Shown &box : boxes.shown())
        EXPECT_EQ(box.style, MsgBoxStyle::Critical);
    EXPECT_TRUE(NothingLaunched());
}

} // namespace
