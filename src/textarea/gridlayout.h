#pragma once

#include <QPlainTextDocumentLayout>

class QFont;
class QPlainTextEdit;

// Lays a plain text document out on a grid of character cells: every display line, wrapped or
// not, takes exactly one line pitch, whatever height the font gives it. It is meant for text
// wrapped at the view's width, which has no widest line to keep track of. Each line sits at the
// bottom of its cell, so the view's scroll positions, which count from the bottom of the line
// above, fall on cell boundaries too.
//
// It lays every block out itself, so that a paragraph without spaces costs time in proportion to
// its length: Qt's word wrap measures the whole word at the start of each display line before it
// falls back to breaking anywhere, which on a megabyte without a space is the rest of the paragraph
// for every one of its lines.
class GridLayout : public QPlainTextDocumentLayout
{
    Q_OBJECT
public:
    GridLayout(QTextDocument *document, int linePitch);

    int linePitch() const { return linePitch_; }

    QRectF blockBoundingRect(const QTextBlock &block) const override;

    // Gives the edit's own document this layout, keeping the document and its text, so whatever
    // is connected to the document stays connected. The document's margin becomes 0, so the first
    // cell starts at the edit's top-left corner.
    static GridLayout *install(QPlainTextEdit *edit, int linePitch);
    // The same for another document, which the edit then shows in place of its own.
    static GridLayout *install(QPlainTextEdit *edit, QTextDocument *document, int linePitch);

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override;

private:
    void layOutBlock(const QTextBlock &block);
    qreal availableWidth() const;

    int linePitch_;
    int blockCount_;
    // The edit's viewport, whose width the edit gives its document layout.
    QWidget *viewport_ = nullptr;
};

// The font with its glyphs fitted to cells `advance` pixels wide: hinted fully, which rounds
// each glyph's advance to whole pixels, then spaced by whatever the rounded advance still lacks.
QFont FontOnGrid(QFont font, int advance);
