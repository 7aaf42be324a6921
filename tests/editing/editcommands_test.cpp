#include "editing/editcommands.h"

#include "platform/clipboard.h"
#include "support/testwindow.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void Select(TextArea &text, qint64 start, qint64 length)
{
    text.setSelStart(start);
    text.setSelLength(length);
}

struct EditCommands : ::testing::Test
{
    TestWindow test;

    void load(const QByteArray &bytes)
    {
        test.text1.setBytes(bytes);
        test.state().Changed = FlagFalse;
    }
};

} // namespace

TEST_F(EditCommands, CutThenPasteElsewhereMovesTheText)
{
    load("abc def");
    Select(test.text1, 0, 4);
    EditSelection(test.text1, EditOperation::Cut);
    EXPECT_EQ(test.text1.bytes(), QByteArray("def"));
    EXPECT_EQ(ClipboardGetText(), u"abc "_qs);
    EXPECT_EQ(test.state().Changed, FlagTrue);

    test.state().Changed = FlagFalse;
    Select(test.text1, 3, 0);
    EditSelection(test.text1, EditOperation::Paste);
    EXPECT_EQ(test.text1.bytes(), QByteArray("defabc "));
    EXPECT_EQ(test.state().Changed, FlagTrue);
    EXPECT_EQ(test.text1.selLength(), 0);
    EXPECT_EQ(test.text1.selStart(), 7);
}

TEST_F(EditCommands, CopyPutsTheSelectionWithDesktopBreaksAndChangesNothing)
{
    load("ab\r\ncd");
    Select(test.text1, 1, 4);
    EditSelection(test.text1, EditOperation::Copy);
    EXPECT_EQ(ClipboardGetText(), u"b\nc"_qs);
    EXPECT_EQ(test.state().Changed, FlagFalse);

    Select(test.text1, 0, 0);
    EditSelection(test.text1, EditOperation::Copy);
    EXPECT_TRUE(QApplication::clipboard()->mimeData()->hasText());
    EXPECT_EQ(ClipboardGetText(), QString());
    EXPECT_EQ(test.state().Changed, FlagFalse);
}

TEST_F(EditCommands, PasteWithoutTextOnTheClipboardRemovesTheSelection)
{
    auto *picture = new QMimeData;
    picture->setImageData(QImage(4, 4, QImage::Format_RGB32));
    QApplication::clipboard()->setMimeData(picture);
    load("keep this");
    Select(test.text1, 4, 5);
    EditSelection(test.text1, EditOperation::Paste);
    EXPECT_EQ(test.text1.bytes(), QByteArray("keep"));
    EXPECT_EQ(test.state().Changed, FlagTrue);
}

TEST_F(EditCommands, PastedBreaksBecomeCrLfAndForeignCharactersQuestionMarks)
{
    ClipboardSetText(u"one\ntwo\u0159"_qs);
    load("x\ny");
    Select(test.text1, 1, 0);
    EditSelection(test.text1, EditOperation::Paste);
    EXPECT_EQ(test.text1.bytes(), QByteArray("xone\r\ntwo?\ny"));
    EXPECT_TRUE(test.gauge().startsWith(u"12 "_qs));
}

TEST_F(EditCommands, DeleteLeavesTheClipboardAlone)
{
    ClipboardSetText(u"kept"_qs);
    load("abcdef");
    Select(test.text1, 2, 2);
    EditSelection(test.text1, EditOperation::Delete);
    EXPECT_EQ(test.text1.bytes(), QByteArray("abef"));
    EXPECT_EQ(ClipboardGetText(), u"kept"_qs);
}

TEST_F(EditCommands, SelectAllCountsEachBreakAtItsLength)
{
    load("ab\r\nc");
    EditSelection(test.text1, EditOperation::SelectAll);
    EXPECT_EQ(test.text1.selStart(), 0);
    EXPECT_EQ(test.text1.selLength(), 5);
    EXPECT_EQ(test.text1.selText(), u"ab\nc"_qs);
    EXPECT_EQ(test.state().Changed, FlagFalse);

    load(QByteArray());
    EditSelection(test.text1, EditOperation::SelectAll);
    EXPECT_EQ(test.text1.selLength(), 0);
    EXPECT_EQ(test.state().Changed, FlagFalse);
}

TEST_F(EditCommands, UnknownCodesChangeNothing)
{
    ClipboardSetText(u"clip"_qs);
    load("text");
    Select(test.text1, 0, 2);
    for (const std::int16_t code : {5, -1, 32767})
        EditSelection(test.text1, code);
    EXPECT_EQ(test.text1.bytes(), QByteArray("text"));
    EXPECT_EQ(ClipboardGetText(), u"clip"_qs);
    EXPECT_EQ(test.state().Changed, FlagFalse);
}

TEST_F(EditCommands, UndoRemovesATypedWordAndASecondUndoBringsItBack)
{
    load("start ");
    test.text1.moveCursor(QTextCursor::End);
    QTest::keyClicks(&test.text1, "word");
    test.state().Changed = FlagFalse;
    UndoEdit(test.text1);
    EXPECT_EQ(test.text1.bytes(), QByteArray("start "));
    EXPECT_EQ(test.state().Changed, FlagTrue);
    UndoEdit(test.text1);
    EXPECT_EQ(test.text1.bytes(), QByteArray("start word"));
    UndoEdit(test.text1);
    EXPECT_EQ(test.text1.bytes(), QByteArray("start "));
}

TEST_F(EditCommands, UndoRevertsAPasteAsOneEdit)
{
    ClipboardSetText(u"a\nb"_qs);
    load("xy");
    Select(test.text1, 0, 1);
    EditSelection(test.text1, EditOperation::Paste);
    EXPECT_EQ(test.text1.bytes(), QByteArray("a\r\nby"));
    UndoEdit(test.text1);
    EXPECT_EQ(test.text1.bytes(), QByteArray("xy"));
}

TEST_F(EditCommands, TheTextAreasOwnUndoKeysAreTheSameSingleUndo)
{
    load("");
    QTest::keyClicks(&test.text1, "abc");
    QTest::keyClick(&test.text1, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(test.text1.bytes(), QByteArray());
    QTest::keyClick(&test.text1, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(test.text1.bytes(), QByteArray("abc"));
    QTest::keyClick(&test.text1, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(test.text1.bytes(), QByteArray());
}

TEST_F(EditCommands, UndoWithNothingToUndoChangesNothing)
{
    load("loaded");
    UndoEdit(test.text1);
    EXPECT_EQ(test.text1.bytes(), QByteArray("loaded"));
    EXPECT_EQ(test.state().Changed, FlagFalse);
}
