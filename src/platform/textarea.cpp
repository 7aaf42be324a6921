#include "platform/textarea.h"

#include "platform/ansi.h"

#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QTextBlock>
#include <QTextDocument>

QString ToTextAreaInput(const QString &text)
{
    QString result;
    result.reserve(text.size());
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c == u'\r') {
            if (i + 1 < size && text.at(i + 1) == u'\n')
                ++i;
            result.append(u'\n');
        } else if (c == QChar::LineSeparator || c == QChar::ParagraphSeparator) {
            result.append(u'\n');
        } else {
            result.append(ToAnsiRepresentable(c));
        }
    }
    return result;
}

TextArea::TextArea(QWidget *parent) : QPlainTextEdit(parent)
{
    QTextDocument *doc = document();
    connect(doc, &QTextDocument::contentsChange, this, &TextArea::followContentsChange);
    connect(doc, &QTextDocument::undoCommandAdded, this, &TextArea::noteNewUndoStep);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!replacingAll_)
            emit contentChanged();
    });
}

void TextArea::setBytes(const QByteArray &bytes)
{
    SplitText split = SplitAtLineBreaks(DecodeAnsi(bytes));
    replacingAll_ = true;
    setPlainText(split.lines);
    replacingAll_ = false;
    breaks_ = std::move(split.breaks);
    breaksBeforeStep_ = breaksAfterStep_ = breaks_;
    newStepPending_ = false;
    lastEditWasUndo_ = false;
    emit contentChanged();
}

QByteArray TextArea::bytes() const
{
    QByteArray result;
    result.reserve(byteLength());
    int index = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next(), ++index) {
        result.append(EncodeAnsi(block.text()));
        if (index < breaks_.count())
            result.append(breaks_.at(index) == LineBreaks::Lf   ? "\n"
                          : breaks_.at(index) == LineBreaks::Cr ? "\r"
                                                                : "\r\n");
    }
    return result;
}

qint64 TextArea::byteLength() const
{
    const QTextDocument *doc = document();
    return doc->characterCount() - doc->blockCount() + breaks_.byteLength();
}

// The document reports each edit as a range of positions; the breaks in it are found from the
// blocks, so the kinds list always has one entry per block boundary.
void TextArea::followContentsChange(int position, int removed, int added)
{
    Q_UNUSED(removed);
    if (replacingAll_)
        return;
    const QTextDocument *doc = document();
    const int oldCount = breaks_.count();
    const int newCount = doc->blockCount() - 1;
    const int lastPosition = doc->characterCount() - 1;
    const int first = doc->findBlock(std::min(position, lastPosition)).blockNumber();
    const int last = doc->findBlock(std::min(position + added, lastPosition)).blockNumber();
    int addedBreaks = last - first;
    int removedBreaks = addedBreaks - (newCount - oldCount);
    if (removedBreaks < 0 || first + removedBreaks > oldCount) {
        removedBreaks = std::clamp(oldCount - first, 0, oldCount);
        addedBreaks = newCount - (oldCount - removedBreaks);
    }

    if (!undoing_) {
        if (newStepPending_)
            breaksBeforeStep_ = breaks_;
        newStepPending_ = false;
        lastEditWasUndo_ = false;
    }
    if (removedBreaks != 0 || addedBreaks != 0)
        breaks_.splice(first, removedBreaks, addedBreaks);
}

// The document announces a new undo step before it reports the edit that starts it.
void TextArea::noteNewUndoStep()
{
    if (!undoing_)
        newStepPending_ = true;
}

void TextArea::undoLastEdit()
{
    QTextDocument *doc = document();
    const bool redo = lastEditWasUndo_;
    if (redo ? !doc->isRedoAvailable() : !doc->isUndoAvailable())
        return;
    if (!redo)
        breaksAfterStep_ = breaks_;
    undoing_ = true;
    redo ? doc->redo() : doc->undo();
    undoing_ = false;
    const LineBreaks &restored = redo ? breaksAfterStep_ : breaksBeforeStep_;
    if (restored.count() == breaks_.count())
        breaks_ = restored;
    lastEditWasUndo_ = !redo;
    emit contentChanged();
}

int TextArea::toDocumentPosition(qint64 bytePosition) const
{
    const QTextDocument *doc = document();
    int index = 0;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next(), ++index) {
        const int length = block.length() - 1;
        if (bytePosition <= length)
            return block.position() + static_cast<int>(bytePosition);
        if (index >= breaks_.count())
            break;
        bytePosition -= length;
        const int breakLength = LineBreaks::ByteLength(breaks_.at(index));
        if (bytePosition < breakLength)
            return block.position() + length;
        bytePosition -= breakLength;
    }
    return doc->characterCount() - 1;
}

qint64 TextArea::toBytePosition(int documentPosition) const
{
    const QTextBlock target = document()->findBlock(documentPosition);
    qint64 bytes = 0;
    int index = 0;
    for (QTextBlock block = document()->begin(); block.isValid() && block != target;
         block = block.next(), ++index) {
        bytes += block.length() - 1 + LineBreaks::ByteLength(breaks_.at(index));
    }
    return bytes + documentPosition - target.position();
}

qint64 TextArea::selStart() const
{
    return toBytePosition(textCursor().selectionStart());
}

qint64 TextArea::selLength() const
{
    const QTextCursor cursor = textCursor();
    return toBytePosition(cursor.selectionEnd()) - toBytePosition(cursor.selectionStart());
}

void TextArea::setSelStart(qint64 start)
{
    QTextCursor cursor = textCursor();
    cursor.setPosition(toDocumentPosition(std::max<qint64>(start, 0)));
    setTextCursor(cursor);
}

void TextArea::setSelLength(qint64 length)
{
    QTextCursor cursor = textCursor();
    const qint64 start = toBytePosition(cursor.selectionStart());
    cursor.setPosition(toDocumentPosition(start));
    cursor.setPosition(toDocumentPosition(start + std::max<qint64>(length, 0)),
                       QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

QString TextArea::selText() const
{
    QString text = textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

void TextArea::setSelText(const QString &text)
{
    QTextCursor cursor = textCursor();
    cursor.insertText(ToTextAreaInput(text));
    setTextCursor(cursor);
}

void TextArea::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)) {
        undoLastEdit();
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const QString text = event->text();
    const QString accepted = enter ? text : ToTextAreaInput(text);
    // Shift+Enter would put a line separator inside the line: it is a line break like Enter.
    const Qt::KeyboardModifiers modifiers =
        enter ? event->modifiers() & ~Qt::ShiftModifier : event->modifiers();
    if (accepted == text && modifiers == event->modifiers()) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    QKeyEvent converted(event->type(), event->key(), modifiers, accepted, event->isAutoRepeat(),
                        event->count());
    QPlainTextEdit::keyPressEvent(&converted);
    event->setAccepted(converted.isAccepted());
}

void TextArea::inputMethodEvent(QInputMethodEvent *event)
{
    const QString accepted = ToTextAreaInput(event->commitString());
    if (accepted == event->commitString()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent converted(event->preeditString(), event->attributes());
    converted.setCommitString(accepted, event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&converted);
}

bool TextArea::canInsertFromMimeData(const QMimeData *source) const
{
    return source->hasText();
}

void TextArea::insertFromMimeData(const QMimeData *source)
{
    if (!source->hasText())
        return;
    textCursor().insertText(ToTextAreaInput(source->text()));
    ensureCursorVisible();
}

// The window's Undo, Cut, Copy and Paste items claim their keys before the text area does.
bool TextArea::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Cut) ||
            key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Paste)) {
            event->ignore();
            return true;
        }
    }
    return QPlainTextEdit::event(event);
}

// The context menu offers the one undo there is, in place of the document's undo and redo.
void TextArea::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createStandardContextMenu(event->pos());
    for (QAction *action : menu->actions()) {
        if (action->objectName() == u"edit-redo") {
            menu->removeAction(action);
        } else if (action->objectName() == u"edit-undo") {
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this, &TextArea::undoLastEdit);
            action->setEnabled(lastEditWasUndo_ ? document()->isRedoAvailable()
                                                : document()->isUndoAvailable());
        }
    }
    menu->exec(event->globalPos());
    delete menu;
}
