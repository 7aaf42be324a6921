#pragma once

#include <QPlainTextDocumentLayout>

class QFont;
class QPlainTextEdit;

// Lays a plain text document out on a grid of character cells: every display line, wrapped or
// not, takes exactly one line pitch, whatever height the font gives it. It is meant for text
// wrapped at the view's width, which has no widest line to keep track of. Each line sits at the
// bottom of its cell, so the view's scroll positions, which count from the bottom of the line
// above, fall on cell boundaries too.
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

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override;

private:
    void placeLines(const QTextBlock &block) const;
    void relayOutBlock(const QTextBlock &block);

    int linePitch_;
    int blockCount_;
};

// The font with its glyphs fitted to cells `advance` pixels wide: hinted fully, which rounds
// each glyph's advance to whole pixels, then spaced by whatever the rounded advance still lacks.
QFont FontOnGrid(QFont font, int advance);
