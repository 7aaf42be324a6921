#include "shownform.h"

#include "support/scratchfolder.h"
#include "textarea/textarea.h"

#include <QClipboard>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <gtest/gtest.h>

// The text sits on cells 8 pixels wide and 16 high from the text area's top-left corner, on
// which the guide is drawn: column 45 ends at the red column, lines 10, 14 and 18 end at the
// blue, orange and red bars, and 20 lines fill the box.

namespace {

constexpr int CellWidth = 8;
constexpr int CellHeight = 16;

QByteArray Lines(int count, int width)
{
    QByteArrayList lines;
    for (int line = 1; line <= count; ++line)
        lines.append(QByteArray::number(line).rightJustified(2, '0') + QByteArray(width - 2, 'x'));
    return lines.join("\r\n");
}

// The cell right of the caret, in the guide's coordinates. The caret stands at the cell's left
// edge and reaches down to its bottom edge.
QRect CaretCell(const ShownForm &shown, const QTextCursor &cursor)
{
    const QRect caret = shown.text()->cursorRect(cursor);
    const QPoint textArea = shown.text()->mapTo(shown.guide(), QPoint(0, 0));
    return QRect(textArea.x() + caret.left(), textArea.y() + caret.bottom() + 1 - CellHeight,
                 CellWidth, CellHeight);
}

QTextCursor At(const TextArea *text, int line, int column)
{
    QTextCursor cursor(text->document()->findBlockByNumber(line - 1));
    cursor.setPosition(cursor.position() + column - 1);
    return cursor;
}

int BarTop(const ShownForm &shown, int index)
{
    return shown.child(u"Frame3(%1)"_qs.arg(index))->y();
}

// Lines 10, 14 and 18 end on the bars, line 20 at the foot of the box.
void ExpectLinesOnTheBars(const ShownForm &shown, int scrolledLines)
{
    const TextArea *text = shown.text();
    const int shift = scrolledLines * CellHeight;
    EXPECT_EQ(CaretCell(shown, At(text, 10, 1)).bottom() + 1 + shift, BarTop(shown, 2));
    EXPECT_EQ(CaretCell(shown, At(text, 14, 1)).bottom() + 1 + shift, BarTop(shown, 1));
    EXPECT_EQ(CaretCell(shown, At(text, 18, 1)).bottom() + 1 + shift, BarTop(shown, 0));
    EXPECT_EQ(CaretCell(shown, At(text, 20, 1)).bottom() + 1 + shift, 32 + 20 * CellHeight);
    EXPECT_EQ(CaretCell(shown, At(text, 1, 1)).topLeft() + QPoint(0, shift), QPoint(64, 32));
}

void ExpectColumnsOnTheRedColumn(const ShownForm &shown, int line)
{
    const TextArea *text = shown.text();
    // Column 45 ends where the red column's bar stands, column 46 lies under the red block.
    EXPECT_EQ(CaretCell(shown, At(text, line, 45)).left(), 416);
    EXPECT_EQ(CaretCell(shown, At(text, line, 46)).left(), 424);
    EXPECT_EQ(CaretCell(shown, At(text, line, 46)).right() + 1, 432);
    const QRect redColumn = ShownForm::rectIn(shown.child(u"Frame3(3)"_qs), shown.guide());
    EXPECT_TRUE(redColumn.contains(423, 100) && redColumn.contains(424, 100));
}

} // namespace

TEST(Form1Grid, TypedTextStaysOnTheGrid)
{
    ShownForm shown;
    TextArea *text = shown.text();
    QTest::keyClicks(text, QString(45, u'x'));
    EXPECT_EQ(CaretCell(shown, text->textCursor()).topLeft(), QPoint(424, 32));
    QTest::keyClick(text, Qt::Key_X);
    EXPECT_EQ(CaretCell(shown, text->textCursor()).topLeft(), QPoint(432, 32));
    ExpectColumnsOnTheRedColumn(shown, 1);

    // The 47th character goes onto the next display row; the text gains no break.
    QTest::keyClick(text, Qt::Key_X);
    EXPECT_EQ(CaretCell(shown, text->textCursor()).topLeft(), QPoint(72, 48));
    EXPECT_EQ(text->bytes(), QByteArray(47, 'x'));
    EXPECT_EQ(CaretCell(shown, At(text, 1, 46)).topLeft(), QPoint(424, 32));

    text->selectAll();
    QTest::keyClick(text, Qt::Key_Delete);
    for (int line = 1; line <= 20; ++line) {
        if (line > 1)
            QTest::keyClick(text, Qt::Key_Return);
        QTest::keyClicks(text, QString(10, u'x'));
    }
    EXPECT_EQ(text->verticalScrollBar()->value(), 0);
    ExpectLinesOnTheBars(shown, 0);

    // A 21st line scrolls the view by one line, and the lines stay on the grid.
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(text->verticalScrollBar()->value(), 1);
    EXPECT_EQ(CaretCell(shown, text->textCursor()).topLeft(), QPoint(64, 32 + 19 * CellHeight));
    ExpectLinesOnTheBars(shown, 1);
}

TEST(Form1Grid, LongLineWrapsAtAWordBoundary)
{
    ShownForm shown;
    TextArea *text = shown.text();
    const QString line = QString(40, u'a') + u" "_qs + QString(6, u'b');
    QTest::keyClicks(text, line);
    // The whole last word moves to the second display row.
    EXPECT_EQ(CaretCell(shown, At(text, 1, 42)).topLeft(), QPoint(64, 48));
    EXPECT_EQ(CaretCell(shown, At(text, 1, 41)).topLeft(), QPoint(384, 32));
    EXPECT_EQ(text->bytes(), line.toLatin1());
}

TEST(Form1Grid, LoadedTextStaysOnTheGrid)
{
    ScratchFolder folder;
    const QString path = folder.write(u"FILE_ID.DIZ"_qs, Lines(21, 46));
    ShownForm shown(path);
    TextArea *text = shown.text();
    ASSERT_EQ(text->document()->blockCount(), 21);
    EXPECT_EQ(text->verticalScrollBar()->value(), 0);
    ExpectColumnsOnTheRedColumn(shown, 1);
    ExpectColumnsOnTheRedColumn(shown, 20);
    ExpectLinesOnTheBars(shown, 0);

    text->moveCursor(QTextCursor::End);
    EXPECT_EQ(text->verticalScrollBar()->value(), 1);
    ExpectLinesOnTheBars(shown, 1);
    EXPECT_EQ(CaretCell(shown, text->textCursor()).topLeft(), QPoint(432, 32 + 19 * CellHeight));
}

TEST(Form1Grid, PastedTextStaysOnTheGrid)
{
    ShownForm shown;
    TextArea *text = shown.text();
    QApplication::clipboard()->setText(QString::fromLatin1(Lines(21, 46)));
    text->paste();
    ASSERT_EQ(text->document()->blockCount(), 21);
    EXPECT_EQ(text->verticalScrollBar()->value(), 1);
    ExpectLinesOnTheBars(shown, 1);
    ExpectColumnsOnTheRedColumn(shown, 21);
    EXPECT_EQ(CaretCell(shown, text->textCursor()).topLeft(), QPoint(432, 32 + 19 * CellHeight));

    text->moveCursor(QTextCursor::Start);
    EXPECT_EQ(text->verticalScrollBar()->value(), 0);
    ExpectLinesOnTheBars(shown, 0);
}

// What the eye sees: each of 46 characters is drawn inside its own cell, at any scale.
TEST(Form1Grid, GlyphsAreDrawnInsideTheirCells)
{
    ShownForm shown;
    TextArea *text = shown.text();
    QTest::keyClicks(text, QString(46, u'|'));
    // The caret goes out of the row looked at.
    QTest::keyClick(text, Qt::Key_Return);
    const QImage image = text->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const qreal scale = image.devicePixelRatio();
    const int rowBottom = int(CellHeight * scale);

    QList<qreal> columnInk(image.width(), 0);
    for (int y = 0; y < rowBottom; ++y)
        for (int x = 0; x < image.width(); ++x)
            columnInk[x] += 255 - qGray(image.pixel(x, y));
    for (int cell = 0; cell < 46; ++cell) {
        SCOPED_TRACE(cell);
        qreal ink = 0, moment = 0;
        for (int x = int(cell * CellWidth * scale); x < int((cell + 1) * CellWidth * scale); ++x) {
            ink += columnInk[x];
            moment += columnInk[x] * (x + 0.5) / scale;
        }
        ASSERT_GT(ink, 0);
        const qreal centre = moment / ink - cell * CellWidth;
        EXPECT_GT(centre, 2.0);
        EXPECT_LT(centre, 6.0);
    }
    for (int x = int(46 * CellWidth * scale); x < image.width(); ++x)
        EXPECT_EQ(columnInk[x], 0) << x;
}

// Tab stops fall every eight columns, as in DOS and terminal views of the same text.
TEST(Form1Grid, TabsStopEveryEightColumns)
{
    ShownForm shown;
    TextArea *text = shown.text();
    text->setBytes("\tA\r\n1234567\tB\r\n12345678\tC\r\n\t\tD\r\n1234567890123456\tE");
    const struct
    {
        int line, character, column;
    } placed[] = {{1, 2, 9}, {2, 9, 9}, {3, 10, 17}, {4, 3, 17}, {5, 18, 25}};
    for (const auto &letter : placed) {
        SCOPED_TRACE(letter.line);
        EXPECT_EQ(CaretCell(shown, At(text, letter.line, letter.character)).left(),
                  64 + (letter.column - 1) * CellWidth);
    }
}
