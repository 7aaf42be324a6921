#pragma once

#include "textarea/linebreaks.h"

#include <QByteArray>
#include <QPlainTextEdit>
#include <functional>

// The document's multi-line text area. It holds single-byte text: every character it shows is
// one byte of the file and every line break keeps the form it was read in. Whatever enters it
// by typing, pasting or dropping is turned into that set ("?" for a character without a byte,
// CR LF for a break), so what the user sees is what a save writes.
//
// Positions and lengths given in bytes count each break at its real length (CR LF two).
class TextArea : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit TextArea(QWidget *parent = nullptr);

    // Replaces the whole content with the text of a file's bytes. The new text is built apart
    // and takes the old one's place only once it is complete, so running out of memory on the
    // way (std::bad_alloc) leaves the content as it was. The text is built in pieces, and
    // progress, when given, hears after each piece how many bytes of how many are in. The memory
    // of the old text and of the bytes goes back to the system.
    using Progress = std::function<void(qint64 done, qint64 total)>;
    void setBytes(QByteArray bytes, const Progress &progress = {});
    // The bytes a save writes: each character as its byte, each break in its own form.
    QByteArray bytes() const;
    // The length of bytes(), kept up to date at a cost that does not grow with the text.
    qint64 byteLength() const;

    // The selection, in bytes.
    qint64 selStart() const;
    qint64 selLength() const;
    void setSelStart(qint64 start);
    void setSelLength(qint64 length);
    // The selected text with "\n" for each break.
    QString selText() const;
    // Replaces the selection (breaks become CR LF, characters without a byte "?") and leaves
    // the caret after the inserted text with nothing selected.
    void setSelText(const QString &text);

    // The single-level undo: reverts the most recent edit; an undo straight after an undo
    // reverts that undo again.
    void undoLastEdit();

signals:
    // After every change of the content, whether typed, pasted or set by the program.
    void contentChanged();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
    bool event(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void followContentsChange(int position, int removed, int added);
    void showDocument(QTextDocument *built);
    void insertText(const QString &text);
    int toDocumentPosition(qint64 bytePosition) const;
    qint64 toBytePosition(int documentPosition) const;

    // The form of every break, in text order. The document itself holds each form on the
    // character format of the break's paragraph separator, which it keeps through every split,
    // join, undo and redo; this copy keeps the byte length at hand.
    LineBreaks breaks_;
    bool lastEditWasUndo_ = false;
    bool replacingAll_ = false;
    bool undoing_ = false;
};

// Text entering the area: breaks of any form become "\n", characters without a byte "?".
QString ToTextAreaInput(const QString &text);
