#include "app/startup.h"

#include "document/caption.h"
#include "platform/process.h"
#include "support/scratchfolder.h"
#include "support/scriptedmsgbox.h"
#include "support/testwindow.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

// A window as the program creates it: captioned with the product name until start-up runs.
struct StartingWindow : TestWindow
{
    StartingWindow() { form.setWindowTitle(InitialCaption()); }
};

} // namespace

TEST(StartUp, WithoutAnArgumentAnUntitledDocument)
{
    StartingWindow test;
    ScriptedMsgBox boxes;
    Form_Load(test.window, QString());
    EXPECT_TRUE(boxes.shown().isEmpty());
    EXPECT_TRUE(test.text1.bytes().isEmpty());
    EXPECT_EQ(test.state().FilePath, u"Untitled"_qs);
    EXPECT_EQ(test.state().DisplayName, u"Untitled"_qs);
    EXPECT_EQ(test.state().HasPath, FlagFalse);
    EXPECT_EQ(test.state().Changed, FlagFalse);
    EXPECT_EQ(test.form.windowTitle(), u"Untitled - Vellum"_qs);
    EXPECT_TRUE(test.gauge().startsWith(u"0 "_qs));
}

TEST(StartUp, WithAFileItsTextNameAndSize)
{
    ScratchFolder folder;
    QDir().mkpath(folder.path(u"one/two"_qs));
    const QString file = folder.write(u"one/two/FILE_ID.DIZ"_qs, "Vellum 1.0\r\nDIZ editor\n");
    StartingWindow test;
    ScriptedMsgBox boxes;
    Form_Load(test.window, file);
    EXPECT_TRUE(boxes.shown().isEmpty());
    EXPECT_EQ(test.text1.bytes(), QByteArray("Vellum 1.0\r\nDIZ editor\n"));
    EXPECT_EQ(test.state().FilePath, file);
    EXPECT_EQ(test.state().DisplayName, u"FILE_ID.DIZ"_qs);
    EXPECT_EQ(test.state().HasPath, FlagTrue);
    EXPECT_EQ(test.state().Changed, FlagFalse);
    EXPECT_EQ(test.form.windowTitle(), u"FILE_ID.DIZ - Vellum"_qs);
    EXPECT_TRUE(test.gauge().startsWith(u"23 "_qs));
}

TEST(StartUp, ARelativeNameAndANameWithSpaces)
{
    ScratchFolder folder;
    folder.write(u"my file.diz"_qs, "x");
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.root());
    StartingWindow test;
    ScriptedMsgBox boxes;
    Form_Load(test.window, u"my file.diz"_qs);
    QDir::setCurrent(previous);
    EXPECT_TRUE(boxes.shown().isEmpty());
    EXPECT_EQ(test.state().FilePath, u"my file.diz"_qs);
    EXPECT_EQ(test.form.windowTitle(), u"my file.diz - Vellum"_qs);
}

TEST(StartUp, AFailedLoadLeavesANamelessDocument)
{
    ScratchFolder folder;
    folder.write(u"FILE_ID.DIZ"_qs, "x");
    StartingWindow test;
    ScriptedMsgBox boxes;
    // Quotes are part of the name.
    Form_Load(test.window, u"\""_qs + folder.path(u"FILE_ID.DIZ"_qs) + u"\""_qs);
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().first().title, u"Path not Found"_qs);
    EXPECT_TRUE(test.text1.bytes().isEmpty());
    EXPECT_EQ(test.state().FilePath, QString());
    EXPECT_EQ(test.state().DisplayName, QString());
    EXPECT_EQ(test.state().HasPath, FlagFalse);
    EXPECT_EQ(test.state().Changed, FlagFalse);
    EXPECT_EQ(test.form.windowTitle(), u"Vellum"_qs);
}

TEST(ArgumentText, JoinsArgumentsWithSingleSpaces)
{
    char program[] = "vellum", one[] = "my", two[] = "file.diz", qtLike[] = "-platform",
         spaced[] = "a  b.diz";
    char *none[] = {program, nullptr};
    EXPECT_EQ(ArgumentText(1, none), QString());
    char *several[] = {program, one, two, nullptr};
    EXPECT_EQ(ArgumentText(3, several), u"my file.diz"_qs);
    char *qt[] = {program, qtLike, nullptr};
    EXPECT_EQ(ArgumentText(2, qt), u"-platform"_qs);
    char *single[] = {program, spaced, nullptr};
    EXPECT_EQ(ArgumentText(2, single), u"a  b.diz"_qs);
}
