#include "files/savedocumentas.h"

#include "document/caption.h"
#include "support/childprocess.h"
#include "support/scratchfolder.h"
#include "support/scripteddialog.h"
#include "support/scriptedmsgbox.h"
#include "support/testwindow.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

class SaveDocumentAsTest : public ::testing::Test
{
protected:
    // A document loaded from a.diz whose text was then edited.
    void SetUp() override
    {
        previous = folder.write(u"a.diz"_qs, "as loaded");
        test.text1.setBytes("edited");
        test.state() = {previous, FlagTrue, FlagTrue, u"a.diz"_qs};
        UpdateCaption(test.window);
    }

    void ExpectStillAttachedToA()
    {
        EXPECT_EQ(test.state().FilePath, previous);
        EXPECT_EQ(test.state().DisplayName, u"a.diz"_qs);
        EXPECT_EQ(test.state().HasPath, FlagTrue);
        EXPECT_EQ(test.state().Changed, FlagTrue);
        EXPECT_EQ(test.form.windowTitle(), u"a.diz - Vellum"_qs);
    }

    ScratchFolder folder;
    TestWindow test;
    ScriptedDialog dialogs;
    ScriptedMsgBox boxes;
    QString previous;
};

TEST_F(SaveDocumentAsTest, OntoAnotherFileLeavesTheOldOneAsItWas)
{
    const QString other = folder.path(u"b.diz"_qs);
    dialogs.choose(other);
    SaveDocumentAs(test.window);

    ASSERT_EQ(dialogs.shown().size(), 1);
    const ScriptedDialog::Shown &shown = dialogs.shown().first();
    EXPECT_EQ(shown.kind, CommonDialog::Kind::Save);
    EXPECT_EQ(shown.dialogTitle, u"Save DIZ as.."_qs);
    EXPECT_EQ(shown.fileName, u"FILE_ID.DIZ"_qs);
    EXPECT_TRUE(shown.cancelError);
    EXPECT_EQ(shown.defaultExt, u".diz"_qs);
    EXPECT_EQ(shown.filter, u"Description In Zip|*.diz|All Files|*.*"_qs);
    EXPECT_EQ(shown.filterIndex, 1);
    EXPECT_EQ(shown.flags, 2);

    EXPECT_EQ(ScratchFolder::read(other), QByteArray("edited"));
    EXPECT_EQ(ScratchFolder::read(previous), QByteArray("as loaded"));
    EXPECT_EQ(test.state().FilePath, other);
    EXPECT_EQ(test.state().DisplayName, u"b.diz"_qs);
    EXPECT_EQ(test.state().HasPath, FlagTrue);
    EXPECT_EQ(test.state().Changed, FlagFalse);
    EXPECT_EQ(test.form.windowTitle(), u"b.diz - Vellum"_qs);
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(SaveDocumentAsTest, OntoItsOwnFileRewritesIt)
{
    dialogs.choose(previous);
    SaveDocumentAs(test.window);
    EXPECT_EQ(ScratchFolder::read(previous), QByteArray("edited"));
    EXPECT_EQ(test.state().FilePath, previous);
    EXPECT_EQ(test.state().Changed, FlagFalse);
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(SaveDocumentAsTest, CancelledChangesNothing)
{
    dialogs.cancel();
    SaveDocumentAs(test.window);
    EXPECT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(boxes.shown().isEmpty());
    ExpectStillAttachedToA();
    EXPECT_EQ(ScratchFolder::read(previous), QByteArray("as loaded"));
}

TEST_F(SaveDocumentAsTest, UntitledUneditedDocumentWritesTheEmptyText)
{
    test.text1.setBytes({});
    test.state() = {u"Untitled"_qs, FlagFalse, FlagFalse, u"Untitled"_qs};
    const QString chosen = folder.write(u"FILE_ID.DIZ"_qs, "was here");
    dialogs.choose(chosen);
    SaveDocumentAs(test.window);
    EXPECT_EQ(QFileInfo(chosen).size(), 0);
    EXPECT_EQ(test.state().FilePath, chosen);
    EXPECT_EQ(test.state().HasPath, FlagTrue);
    EXPECT_EQ(test.form.windowTitle(), u"FILE_ID.DIZ - Vellum"_qs);
}

TEST_F(SaveDocumentAsTest, FailedWriteReportsAndKeepsTheDocumentAsItWas)
{
    const QString full = folder.path(u"full.diz"_qs);
    ASSERT_TRUE(QFile::link(u"/dev/full"_qs, full));
    dialogs.choose(full);
    SaveDocumentAs(test.window);
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().first().title, u"Disk Full"_qs);
    EXPECT_EQ(boxes.shown().first().text, u"The disk the file written to is full."_qs);
    EXPECT_EQ(boxes.shown().first().style, 48);
    ExpectStillAttachedToA();
}

TEST_F(SaveDocumentAsTest, PermissionDeniedKeepsThePreviousFile)
{
    ASSERT_EQ(::chmod(QFile::encodeName(folder.root()).constData(), 0755), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(previous).constData(), 0666), 0);
    const QString locked = folder.write(u"locked.diz"_qs, "root's");
    dialogs.choose(locked);

    const ChildOutcome outcome = RunInChild([&](int output) {
        if (!DropToUnprivilegedUser())
            return 2;
        SaveDocumentAs(test.window);
        if (boxes.shown().size() != 1 || test.state().FilePath != previous || !test.state().Changed)
            return 1;
        WriteToParent(output,
                      (boxes.shown().first().title + u'\n' + boxes.shown().first().text).toUtf8());
        return 0;
    });
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(QString::fromUtf8(outcome.output),
              u"Permission Denied\nPermission was denied to save this file."_qs);
    EXPECT_EQ(ScratchFolder::read(locked), QByteArray("root's"));
}

} // namespace
