#include "files/opendocument.h"

#include "controls/msgbox.h"
#include "document/caption.h"
#include "files/savefile.h"
#include "support/scratchfolder.h"
#include "support/scripteddialog.h"
#include "support/scriptedmsgbox.h"
#include "support/testwindow.h"

#include <QFileInfo>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString Question = u"The open file was changed, do you to save the changes?"_qs;

// The question asked with the question-mark icon before Open throws changes away.
void ExpectOpenQuestion(const ScriptedMsgBox::Shown &shown)
{
    EXPECT_EQ(shown.title, u"File Changed"_qs);
    EXPECT_EQ(shown.text, Question);
    EXPECT_EQ(shown.style, 35);
}

class OpenDocumentTest : public ::testing::Test
{
protected:
    // A document loaded from a.diz whose text was then edited.
    void EditedFileDocument()
    {
        previous = folder.write(u"a.diz"_qs, "as loaded");
        test.text1.setBytes("edited");
        test.state() = {previous, FlagTrue, FlagTrue, u"a.diz"_qs};
        UpdateCaption(test.window);
    }

    void EditedUntitledDocument()
    {
        test.text1.setBytes("edited");
        test.state() = {u"Untitled"_qs, FlagTrue, FlagFalse, u"Untitled"_qs};
        UpdateCaption(test.window);
    }

    // The document is still the edited one it was.
    void ExpectUntouched(const QString &path, const QString &name)
    {
        EXPECT_EQ(test.text1.bytes(), QByteArray("edited"));
        EXPECT_EQ(test.state().Changed, FlagTrue);
        EXPECT_EQ(test.state().FilePath, path);
        EXPECT_EQ(test.state().DisplayName, name);
        EXPECT_EQ(test.form.windowTitle(), CaptionFor(name));
    }

    ScratchFolder folder;
    TestWindow test;
    ScriptedDialog dialogs;
    ScriptedMsgBox boxes;
    QString previous;
};

TEST_F(OpenDocumentTest, UnchangedDocumentGoesStraightToTheDialogAndLoads)
{
    const QString chosen = folder.write(u"FILE_ID.DIZ"_qs, "line one\r\nline two\nthree");
    test.text1.setBytes("old");
    test.state() = {u"Untitled"_qs, FlagFalse, FlagFalse, u"Untitled"_qs};
    dialogs.choose(chosen);

    OpenDocument(test.window);
    EXPECT_TRUE(boxes.shown().isEmpty());
    ASSERT_EQ(dialogs.shown().size(), 1);
    const ScriptedDialog::Shown &shown = dialogs.shown().first();
    EXPECT_EQ(shown.kind, CommonDialog::Kind::Open);
    EXPECT_TRUE(shown.cancelError);
    EXPECT_EQ(shown.defaultExt, u".diz"_qs);
    EXPECT_EQ(shown.dialogTitle, u"Open DIZ File"_qs);
    EXPECT_EQ(shown.fileName, u"*.diz"_qs);
    EXPECT_EQ(shown.filter, u"Description In Zip|*.diz|All Files|*.*"_qs);
    EXPECT_EQ(shown.filterIndex, 1);
    EXPECT_EQ(shown.flags, 4100);

    EXPECT_EQ(test.text1.bytes(), QByteArray("line one\r\nline two\nthree"));
    EXPECT_EQ(test.state().FilePath, chosen);
    EXPECT_EQ(test.state().DisplayName, u"FILE_ID.DIZ"_qs);
    EXPECT_EQ(test.state().HasPath, FlagTrue);
    EXPECT_EQ(test.state().Changed, FlagFalse);
    EXPECT_EQ(test.form.windowTitle(), u"FILE_ID.DIZ - Vellum"_qs);
    EXPECT_TRUE(test.gauge().startsWith(u"24 "_qs));
}

TEST_F(OpenDocumentTest, DialogStartsAfreshAfterASave)
{
    const QString chosen = folder.write(u"b.diz"_qs, "b");
    EditedUntitledDocument();
    dialogs.choose(folder.path(u"saved.diz"_qs));
    SaveDocument(test.window);
    test.commonDialog1.FilterIndex = 2;
    dialogs.choose(chosen);
    OpenDocument(test.window);

    ASSERT_EQ(dialogs.shown().size(), 2);
    EXPECT_EQ(dialogs.shown().at(1).fileName, u"*.diz"_qs);
    EXPECT_EQ(dialogs.shown().at(1).filterIndex, 1);
    EXPECT_EQ(dialogs.shown().at(1).flags, 4100);
    EXPECT_EQ(dialogs.shown().at(1).dialogTitle, u"Open DIZ File"_qs);
}

TEST_F(OpenDocumentTest, CancelInTheQuestionShowsNoDialog)
{
    EditedFileDocument();
    boxes.answer(MsgBoxAnswer::Cancel);
    OpenDocument(test.window);
    ASSERT_EQ(boxes.shown().size(), 1);
    ExpectOpenQuestion(boxes.shown().first());
    EXPECT_TRUE(dialogs.shown().isEmpty());
    ExpectUntouched(previous, u"a.diz"_qs);
}

TEST_F(OpenDocumentTest, YesWhenTheSaveIsCancelledStopsBeforeTheOpenDialog)
{
    EditedUntitledDocument();
    boxes.answer(MsgBoxAnswer::Yes);
    dialogs.cancel();
    OpenDocument(test.window);
    ASSERT_EQ(boxes.shown().size(), 1);
    ExpectOpenQuestion(boxes.shown().first());
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().first().kind, CommonDialog::Kind::Save);
    ExpectUntouched(u"Untitled"_qs, u"Untitled"_qs);
}

TEST_F(OpenDocumentTest, YesWhenTheSaveFailsShowsOnlyTheSaveBox)
{
    test.text1.setBytes("edited");
    const QString gone = folder.path(u"gone/a.diz"_qs);
    test.state() = {gone, FlagTrue, FlagTrue, u"a.diz"_qs};
    UpdateCaption(test.window);
    boxes.answer(MsgBoxAnswer::Yes);
    OpenDocument(test.window);
    ASSERT_EQ(boxes.shown().size(), 2);
    EXPECT_EQ(boxes.shown().at(1).title, u"Problems"_qs);
    EXPECT_TRUE(boxes.shown().at(1).text.endsWith(u"Error Code: 76"_qs));
    EXPECT_TRUE(dialogs.shown().isEmpty());
    ExpectUntouched(gone, u"a.diz"_qs);
}

TEST_F(OpenDocumentTest, YesSavesThenACancelledDialogKeepsTheChangedMark)
{
    EditedFileDocument();
    boxes.answer(MsgBoxAnswer::Yes);
    dialogs.cancel();
    OpenDocument(test.window);
    EXPECT_EQ(ScratchFolder::read(previous), QByteArray("edited"));
    EXPECT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().size(), 1);
    ExpectUntouched(previous, u"a.diz"_qs);
}

TEST_F(OpenDocumentTest, NoThenACancelledDialogKeepsTheChangedText)
{
    EditedFileDocument();
    boxes.answer(MsgBoxAnswer::No);
    dialogs.cancel();
    OpenDocument(test.window);
    EXPECT_EQ(ScratchFolder::read(previous), QByteArray("as loaded"));
    ExpectUntouched(previous, u"a.diz"_qs);
}

TEST_F(OpenDocumentTest, NoThenAFileThatCannotBeOpenedKeepsTheDocument)
{
    EditedFileDocument();
    boxes.answer(MsgBoxAnswer::No);
    dialogs.choose(folder.path(u"vanished.diz"_qs));
    OpenDocument(test.window);
    ASSERT_EQ(boxes.shown().size(), 2);
    EXPECT_EQ(boxes.shown().at(1).title, u"File not Found"_qs);
    EXPECT_EQ(boxes.shown().at(1).style, 48);
    ExpectUntouched(previous, u"a.diz"_qs);
}

TEST_F(OpenDocumentTest, NoThenAChosenFileReplacesTheDocument)
{
    EditedFileDocument();
    const QString chosen = folder.write(u"b.diz"_qs, "bee");
    boxes.answer(MsgBoxAnswer::No);
    dialogs.choose(chosen);
    OpenDocument(test.window);
    EXPECT_EQ(test.text1.bytes(), QByteArray("bee"));
    EXPECT_EQ(test.state().FilePath, chosen);
    EXPECT_EQ(test.state().Changed, FlagFalse);
    EXPECT_EQ(test.form.windowTitle(), u"b.diz - Vellum"_qs);
    EXPECT_EQ(ScratchFolder::read(previous), QByteArray("as loaded"));
}

TEST_F(OpenDocumentTest, OpenEditSaveOpenAgainGivesBackTheSameBytes)
{
    const QByteArray original("first\r\nsecond\nthird\rlast \xA0\x81\xFF");
    const QString path = folder.write(u"FILE_ID.DIZ"_qs, original);
    test.state() = {u"Untitled"_qs, FlagFalse, FlagFalse, u"Untitled"_qs};
    dialogs.choose(path);
    OpenDocument(test.window);

    test.text1.moveCursor(QTextCursor::End);
    QTest::keyClicks(&test.text1, "!");
    QTest::keyClick(&test.text1, Qt::Key_Return);
    QTest::keyClicks(&test.text1, "new line");
    EXPECT_EQ(test.state().Changed, FlagTrue);
    SaveDocument(test.window);
    EXPECT_EQ(test.state().Changed, FlagFalse);

    const QByteArray expected = original + "!\r\nnew line";
    EXPECT_EQ(ScratchFolder::read(path), expected);

    dialogs.choose(path);
    OpenDocument(test.window);
    EXPECT_EQ(test.text1.bytes(), expected);
    EXPECT_TRUE(test.gauge().startsWith(QString::number(QFileInfo(path).size()) + u' '));
    EXPECT_TRUE(boxes.shown().isEmpty());
}

} // namespace
