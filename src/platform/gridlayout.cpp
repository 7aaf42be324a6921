#include "platform/gridlayout.h"

#include <QFontMetricsF>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

GridLayout::GridLayout(QTextDocument *document, int linePitch)
    : QPlainTextDocumentLayout(document), linePitch_(linePitch)
{
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
