#pragma once

#include <QFrame>
#include <QList>

class QLabel;
class QPlainTextEdit;

// The sunken panel that holds the text area and, round and across it, the guide to a
// description's limits: the column and line rulers with their captions, the bars under lines
// 10, 14 and 18 and after column 45, and the note on the red column. The guide is fixed; it does
// not follow the text.
//
// Stacking, from the bottom: the panel's own drawing (shapes, then lines), the captions, the
// text area, the bars (each over its keyline). The bars let the mouse through to the text
// beneath them, and assistive technology does not list them.
class GuidePanel : public QFrame
{
    Q_OBJECT
public:
    explicit GuidePanel(QWidget *parent = nullptr);

    // Places the text area on the guide's grid, under the bars.
    void holdTextArea(QPlainTextEdit *textArea);

    // The panel's inner area, inside the sunken border, on which the guide is laid out.
    QWidget *surface() const { return surface_; }
    const QList<QLabel *> &captions() const { return captions_; }
    const QList<QWidget *> &bars() const { return bars_; }

    // The font of the guide's captions: the interface font, made as small as it takes for every
    // caption to fit its box.
    QFont captionFont() const { return captionFont_; }

protected:
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QFont fitCaptionFont() const;
    void fitColoursToPalette();

    QWidget *surface_;
    QFont captionFont_;
    QList<QLabel *> captions_;
    QList<QWidget *> bars_;
    // One per bar, round it: shown only where the bar needs it to be seen.
    QList<QWidget *> keylines_;
};

// The largest size, at most the font's own, at which each text fits its box (words wrapped),
// in steps of a quarter point.
QFont FittedFont(QFont font, const QList<QPair<QString, QSize>> &texts);
