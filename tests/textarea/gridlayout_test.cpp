#include "textarea/gridlayout.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <gtest/gtest.h>
#include <random>

namespace {

QFont Mono(qreal points)
{
    QFont font(u"Courier New"_qs);
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(points);
    return font;
}

qreal Advance(const QFont &font, int characters)
{
    QTextLayout layout(QString(characters, u'W'), font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    return line.naturalTextWidth();
}

// A bare edit, 46 cells wide and 10 lines high, on the grid.
class GridEdit : public ::testing::Test
{
protected:
    void SetUp() override
    {
        edit.setFrameShape(QFrame::NoFrame);
        edit.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit.setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        grid = GridLayout::install(&edit, 16);
        edit.setFont(FontOnGrid(Mono(9.75), 8));
        edit.setFixedSize(46 * 8 + 1, 10 * 16 + 1);
        edit.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&edit));
    }

    QRect caretAt(int position) const
    {
        QTextCursor cursor(edit.document());
        cursor.setPosition(position);
        return edit.cursorRect(cursor);
    }

    QPlainTextEdit edit;
    GridLayout *grid = nullptr;
};

} // namespace

TEST(FontOnGrid, EveryCharacterAdvancesByTheCellWidth)
{
    // As found on the desktop, the font's own advance is not a whole pixel.
    EXPECT_NE(Advance(Mono(9.75), 46), 46 * 8);
    EXPECT_EQ(Advance(FontOnGrid(Mono(9.75), 8), 46), 46 * 8);
    // Where rounding alone does not reach the cell width, spacing makes up the rest.
    EXPECT_EQ(Advance(FontOnGrid(Mono(12), 8), 46), 46 * 8);
    EXPECT_EQ(Advance(FontOnGrid(Mono(9.75), 10), 46), 46 * 10);
}

TEST_F(GridEdit, InstallsOnTheEditsOwnDocument)
{
    QTextDocument *document = edit.document();
    EXPECT_EQ(document->documentLayout(), grid);
    EXPECT_EQ(document->documentMargin(), 0);
    EXPECT_EQ(grid->linePitch(), 16);
    edit.setPlainText(u"one\ntwo"_qs);
    EXPECT_EQ(edit.document(), document);
    EXPECT_EQ(caretAt(4).topLeft(), QPoint(0, 17));
}

TEST_F(GridEdit, EveryDisplayLineTakesOnePitch)
{
    // A paragraph of 100 characters wraps onto three rows; the next paragraph starts on the
    // fourth.
    edit.setPlainText(QString(100, u'a') + u"\nnext"_qs);
    const QTextBlock first = edit.document()->firstBlock();
    ASSERT_EQ(first.layout()->lineCount(), 3);
    EXPECT_EQ(grid->blockBoundingRect(first).height(), 48);
    for (int row = 0; row < 3; ++row) {
        const QRectF line = first.layout()->lineAt(row).naturalTextRect();
        EXPECT_DOUBLE_EQ(line.bottom(), (row + 1) * 16.0);
        EXPECT_GT(line.top(), row * 16.0);
    }
    EXPECT_EQ(caretAt(46), QRect(0, 17, 1, 15));
    EXPECT_EQ(caretAt(101).topLeft(), QPoint(0, 49));

    // An edit that adds a row to the first paragraph moves the next one down a whole pitch.
    QTextCursor cursor(edit.document());
    cursor.insertText(QString(40, u'b'));
    EXPECT_EQ(caretAt(141).topLeft(), QPoint(0, 65));
}

TEST_F(GridEdit, ScrollingInsideAWrappedParagraphKeepsTheGrid)
{
    edit.setPlainText(QString(46 * 12, u'a'));
    edit.moveCursor(QTextCursor::End);
    // Twelve rows in a box of ten: the view starts at the paragraph's third row.
    EXPECT_EQ(edit.verticalScrollBar()->value(), 2);
    EXPECT_EQ(caretAt(46 * 2).topLeft(), QPoint(0, 1));
    EXPECT_EQ(caretAt(46 * 11).topLeft(), QPoint(0, 9 * 16 + 1));
}

// Lines of paragraphs with runs far longer than a line, laid out by the grid and typed into, break
// where Qt's own word wrap breaks them on a bare layout of the same text and width.
TEST_F(GridEdit, LongRunsBreakWhereQtsOwnWordWrapBreaksThem)
{
    std::mt19937 random(45);
    const QStringList pieces = {u" "_qs, u"-"_qs, u"/"_qs, u"."_qs, u"("_qs, u"\t"_qs, u"  "_qs};
    const auto expectQtsLines = [&](const QTextBlock &block) {
        QTextLayout model(block.text(), edit.font());
        QTextOption option = edit.document()->defaultTextOption();
        model.setTextOption(option);
        model.beginLayout();
        for (QTextLine line = model.createLine(); line.isValid(); line = model.createLine())
            line.setLineWidth(edit.viewport()->width());
        model.endLayout();
        QTextLayout *laidOut = block.layout();
        ASSERT_EQ(laidOut->lineCount(), model.lineCount()) << block.text().toStdString();
        for (int i = 0; i < model.lineCount(); ++i) {
            EXPECT_EQ(laidOut->lineAt(i).textStart(), model.lineAt(i).textStart());
            EXPECT_EQ(laidOut->lineAt(i).textLength(), model.lineAt(i).textLength());
        }
    };
    for (int round = 0; round < 30; ++round) {
        QString text;
        while (text.size() < 1500) {
            const int kind = int(random() % 8);
            if (kind == 0)
                text += QString(150 + int(random() % 400), QChar(u'A' + int(random() % 26)));
            else if (kind < 5)
                text += QString(1 + int(random() % 12), u'x');
            else
                text += pieces.at(int(random() % pieces.size()));
        }
        edit.setPlainText(text);
        expectQtsLines(edit.document()->firstBlock());
        QTextCursor cursor(edit.document());
        cursor.setPosition(int(random() % text.size()));
        cursor.insertText(round % 2 ? u" "_qs : u"B"_qs);
        expectQtsLines(edit.document()->firstBlock());
    }
}
