#include "textarea/gridlayout.h"

#include "platform/process.h"

#include <QFontMetricsF>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <QTextDocument>
#include <QTextLayout>
#include <climits>

namespace {

// A paragraph this long is laid out in buffers large enough to be worth keeping for the next
// keystroke.
constexpr int LongParagraph = 16 * 1024;

// Finds where the text runs on without a place for word wrap to end a line, longer than any
// display line can hold. Qt's word wrap measures such a run to its end at the start of every line
// and then breaks it anywhere; breaking it anywhere at once gives the same lines.
class LongRuns
{
public:
    LongRuns(const QString &text, qreal width, const QFont &font)
        : text_(text),
          // Every printable character of the fixed-pitch font is far wider than a quarter of
          // its average, so a run this long cannot fit a line.
          longRun_(4 * int(width / std::max<qreal>(1, QFontMetricsF(font).averageCharWidth())) + 4),
          breaks_(text.size() > longRun_ ? QTextBoundaryFinder::Line
                                         : QTextBoundaryFinder::Grapheme,
                  text.size() > longRun_ ? text : QString())
    {
    }

    // Whether the run starting at position is one of them. The characters known to belong to
    // the run are not looked at again, so each line costs the same however long the run is.
    bool startsAt(int position)
    {
        if (text_.size() - position <= longRun_)
            return false;
        if (position < clearFrom_ || position >= clearUntil_)
            clearFrom_ = clearUntil_ = position;
        for (; clearUntil_ < position + longRun_; ++clearUntil_) {
            if (!continuesRun(clearUntil_))
                return false;
        }
        return true;
    }

private:
    // A printable character that is no space and that word wrap could not end a line before.
    // Characters that print nothing are not counted on: a run of them may fit a line.
    bool continuesRun(int at)
    {
        const QChar c = text_.at(at);
        if (!c.isPrint() || c.isSpace())
            return false;
        breaks_.setPosition(at);
        return at == clearFrom_ || !breaks_.isAtBoundary();
    }

    const QString text_;
    const int longRun_;
    QTextBoundaryFinder breaks_;
    // Positions from clearFrom_ up to clearUntil_ are known to continue one run.
    int clearFrom_ = 0;
    int clearUntil_ = 0;
};

} // namespace

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
    if (first == last && first.isValid() && doc->blockCount() == blockCount_) {
        const int lines = first.layout()->lineCount();
        layOutBlock(first);
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

// The width the base class lays blocks out in: what the edit gives it, its viewport's width.
qreal GridLayout::availableWidth() const
{
    const qreal width =
        viewport_ ? viewport_->width() - 2 * document()->documentMargin() : qreal(INT_MAX);
    return width > 0 ? width : qreal(INT_MAX);
}

// Lays the block out in the view's width, the way the base class does, with each line in its
// cell and each run too long for a line broken anywhere at once.
void GridLayout::layOutBlock(const QTextBlock &block)
{
    if (block.length() > LongParagraph)
        ReuseLargeBuffers();
    QTextLayout *layout = block.layout();
    const qreal width = availableWidth();
    const qreal margin = document()->documentMargin();
    QTextOption option = document()->defaultTextOption();
    const QTextOption::WrapMode wrap = option.wrapMode();
    const bool wordWrap = wrap == QTextOption::WrapAtWordBoundaryOrAnywhere;
    LongRuns longRuns(block.text(), width, document()->defaultFont());
    layout->setTextOption(option);
    layout->beginLayout();
    int row = 0;
    for (QTextLine line = layout->createLine(); line.isValid();
         line = layout->createLine(), ++row) {
        line.setLeadingIncluded(true);
        const bool anywhere = wordWrap && longRuns.startsAt(line.textStart());
        if (anywhere) {
            option.setWrapMode(QTextOption::WrapAnywhere);
            layout->setTextOption(option);
        }
        line.setLineWidth(width);
        if (anywhere) {
            option.setWrapMode(wrap);
            layout->setTextOption(option);
        }
        line.setPosition(
            QPointF(margin, qreal(row + 1) * linePitch_ - line.naturalTextRect().height()));
    }
    layout->endLayout();
    const int before = document()->lineCount();
    QTextBlock editable = block;
    editable.setLineCount(block.isVisible() ? layout->lineCount() : 0);
    if (document()->lineCount() != before)
        emit documentSizeChanged(documentSize());
}

QRectF GridLayout::blockBoundingRect(const QTextBlock &block) const
{
    if (!block.isValid())
        return {};
    if (block.layout()->lineCount() == 0)
        const_cast<GridLayout *>(this)->layOutBlock(block);
    const QRectF natural = QPlainTextDocumentLayout::blockBoundingRect(block);
    if (!block.isVisible())
        return natural;
    const int lines = block.layout()->lineCount();
    return QRectF(0, 0, natural.width(), qreal(lines) * linePitch_);
}

GridLayout *GridLayout::install(QPlainTextEdit *edit, int linePitch)
{
    return install(edit, edit->document(), linePitch);
}

GridLayout *GridLayout::install(QPlainTextEdit *edit, QTextDocument *document, int linePitch)
{
    document->setDocumentMargin(0);
    auto *grid = new GridLayout(document, linePitch);
    grid->viewport_ = edit->viewport();
    grid->setCursorWidth(edit->cursorWidth());
    // The document deletes the layout it had.
    document->setDocumentLayout(grid);
    // Setting the document, the same one again or another, makes the edit adopt the new layout.
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
