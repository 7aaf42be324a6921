#include "platform/gridlayout.h"

#include <QFontMetricsF>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

GridLayout::GridLayout(QTextDocument *document, int linePitch)
    : QPlainTextDocumentLayout(document), linePitch_(linePitch), blockCount_(document->blockCount())
{
}

// An edit inside one block that leaves the number of blocks as it was is laid out here. The base
// class would also look through every block for the widest line each time the edited block was
// the widest one, and without a document margin its own bookkeeping makes that every time: a
// keystroke at the top of a long document would cost a walk through all of it.
void GridLayout::documentChanged(int from, int charsRemoved, int charsAdded)
{
    const QTextDocument *doc = document();
    const QTextBlock first = doc->findBlock(from);
    const QTextBlock last = doc->findBlock(std::max(0, from + charsRemoved + charsAdded - 1));
    if (first == last && first.isValid() && doc->blockCount() == blockCount_ &&
        first.layout()->lineCount() > 0) {
        const int lines = first.layout()->lineCount();
        relayOutBlock(first);
        if (first.layout()->lineCount() == lines) {
            emit updateBlock(first);
        } else {
            emit documentSizeChanged(documentSize());
            emit update();
        }
        return;
    }
    QPlainTextDocumentLayout::documentChanged(from, charsRemoved, charsAdded);
    blockCount_ = doc->blockCount();
}

// Lays the block out again in the width it had, the way the base class lays out a block.
void GridLayout::relayOutBlock(const QTextBlock &block)
{
    QTextLayout *layout = block.layout();
    const qreal width = layout->lineAt(0).width();
    const qreal margin = document()->documentMargin();
    layout->setTextOption(document()->defaultTextOption());
    layout->beginLayout();
    qreal y = 0;
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
        line.setLeadingIncluded(true);
        line.setLineWidth(width);
        line.setPosition(QPointF(margin, y));
        y += line.height();
    }
    layout->endLayout();
    QTextBlock editable = block;
    editable.setLineCount(block.isVisible() ? layout->lineCount() : 0);
    placeLines(block);
}

QRectF GridLayout::blockBoundingRect(const QTextBlock &block) const
{
    // The base class lays the block out when it has no lines yet, at the font's own height.
    const QRectF natural = QPlainTextDocumentLayout::blockBoundingRect(block);
    if (!block.isValid() || !block.isVisible())
        return natural;
    placeLines(block);
    const int lines = block.layout()->lineCount();
    return QRectF(0, 0, natural.width(), qreal(lines) * linePitch_);
}

void GridLayout::placeLines(const QTextBlock &block) const
{
    QTextLayout *layout = block.layout();
    for (int i = 0; i < layout->lineCount(); ++i) {
        QTextLine line = layout->lineAt(i);
        const qreal cellBottom = qreal(i + 1) * linePitch_;
        line.setPosition(QPointF(line.x(), cellBottom - line.naturalTextRect().height()));
    }
}

GridLayout *GridLayout::install(QPlainTextEdit *edit, int linePitch)
{
    QTextDocument *document = edit->document();
    document->setDocumentMargin(0);
    auto *grid = new GridLayout(document, linePitch);
    grid->setCursorWidth(edit->cursorWidth());
    // The document deletes the layout it had.
    document->setDocumentLayout(grid);
    // Setting the same document again makes the edit adopt the new layout as its own.
    edit->setDocument(document);
    return grid;
}

QFont FontOnGrid(QFont font, int advance)
{
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    const qreal hinted = QFontMetricsF(font).horizontalAdvance(u'0');
    if (hinted != advance)
        font.setLetterSpacing(QFont::AbsoluteSpacing, advance - hinted);
    return font;
}
