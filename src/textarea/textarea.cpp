#include "textarea/textarea.h"

#include "textarea/ansi.h"
#include "textarea/gridlayout.h"
#include "platform/process.h"

#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QScrollBar>
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

namespace {

// The character format property that holds a break's form on its paragraph separator. A
// separator without it is a CR LF break: every break the user types or pastes.
constexpr int BreakKindProperty = QTextFormat::UserProperty + 1;

QTextCharFormat FormatOfBreak(char kind)
{
    QTextCharFormat format;
    if (kind != LineBreaks::CrLf)
        format.setProperty(BreakKindProperty, int(kind));
    return format;
}

// The form of the break in front of a block that is not the first: a block's character format
// is that of the separator before it.
char BreakBefore(const QTextBlock &block)
{
    const QVariant kind = block.charFormat().property(BreakKindProperty);
    return kind.isValid() ? static_cast<char>(kind.toInt()) : char(LineBreaks::CrLf);
}

// A long text goes in in pieces of about this many bytes, each followed by a progress call.
constexpr qsizetype InsertPiece = 1 << 20;

// Inserts the lines run by run, each run of lines ending in breaks of one form going in with that
// form's format, so a piece with one kind of break takes a single insertion.
void InsertLines(QTextCursor &cursor, const SplitText &split)
{
    const QString &lines = split.lines;
    const QByteArray &kinds = split.breaks.kinds();
    qsizetype runStart = 0;
    qsizetype separator = -1;
    for (qsizetype first = 0; first < kinds.size();) {
        qsizetype next = first;
        while (next < kinds.size() && kinds.at(next) == kinds.at(first)) {
            separator = lines.indexOf(u'\n', separator + 1);
            ++next;
        }
        cursor.insertText(lines.mid(runStart, separator + 1 - runStart),
                          FormatOfBreak(kinds.at(first)));
        runStart = separator + 1;
        first = next;
    }
    if (runStart < lines.size())
        cursor.insertText(lines.mid(runStart), QTextCharFormat());
}

// Inserts the text of the bytes piece by piece, so that only a piece of it is ever held outside
// the document, and returns the form of every break.
QByteArray InsertBytes(QTextCursor &cursor, const QByteArray &bytes,
                       const TextArea::Progress &progress)
{
    QByteArray kinds;
    for (qsizetype from = 0; from < bytes.size();) {
        qsizetype end = std::min(bytes.size(), from + InsertPiece);
        // A CR LF pair stays within one piece.
        if (end < bytes.size() && bytes.at(end - 1) == '\r')
            ++end;
        const SplitText split =
            SplitAtLineBreaks(DecodeAnsi(QByteArrayView(bytes).sliced(from, end - from)));
        InsertLines(cursor, split);
        kinds += split.breaks.kinds();
        from = end;
        if (progress)
            progress(end, bytes.size());
    }
    return kinds;
}

} // namespace

TextArea::TextArea(QWidget *parent) : QPlainTextEdit(parent)
{
    connect(document(), &QTextDocument::contentsChange, this, &TextArea::followContentsChange);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!replacingAll_)
            emit contentChanged();
    });
}

void TextArea::setBytes(QByteArray bytes, const Progress &progress)
{
    const QTextDocument *shown = document();
    auto built = std::make_unique<QTextDocument>();
    built->setDefaultFont(shown->defaultFont());
    built->setDefaultTextOption(shown->defaultTextOption());
    built->setDocumentMargin(shown->documentMargin());
    // Nothing of the load is to be undone.
    built->setUndoRedoEnabled(false);
    QTextCursor cursor(built.get());
    cursor.beginEditBlock();
    LineBreaks breaks(InsertBytes(cursor, bytes, progress));
    cursor.endEditBlock();
    built->setUndoRedoEnabled(true);
    bytes = QByteArray();

    replacingAll_ = true;
    showDocument(built.release());
    replacingAll_ = false;
    breaks_ = std::move(breaks);
    lastEditWasUndo_ = false;
    // The old text and the bytes are gone: their memory goes back to the system rather than
    // waiting in the heap for a text as big.
    GiveBackFreedMemory();
    emit contentChanged();
}

// Shows a document in place of the one shown, laid out as that one was, and drops the old one.
void TextArea::showDocument(QTextDocument *built)
{
    // The edit deletes the document it shows when that is its own child; the first one is not.
    const QPointer<QTextDocument> old = document();
    built->setParent(this);
    if (const auto *grid = qobject_cast<GridLayout *>(old->documentLayout())) {
        GridLayout::install(this, built, grid->linePitch());
    } else {
        built->setDocumentLayout(new QPlainTextDocumentLayout(built));
        setDocument(built);
    }
    connect(built, &QTextDocument::contentsChange, this, &TextArea::followContentsChange);
    delete old.data();
    setTextCursor(QTextCursor(built));
    verticalScrollBar()->setValue(0);
}

QByteArray TextArea::bytes() const
{
    QByteArray result;
    result.reserve(byteLength());
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block != document()->begin()) {
            const char kind = BreakBefore(block);
            result.append(kind == LineBreaks::Lf ? "\n" : kind == LineBreaks::Cr ? "\r" : "\r\n");
        }
        result.append(EncodeAnsi(block.text()));
    }
    return result;
}

qint64 TextArea::byteLength() const
{
    const QTextDocument *doc = document();
    return doc->characterCount() - doc->blockCount() + breaks_.byteLength();
}

// The document reports each edit as a range that covers everything it changed. The breaks in
// front of that range are as they were, the breaks behind it too; the ones inside are read back
// from the document, which also keeps untouched breaks that a wide report only passes over.
void TextArea::followContentsChange(int position, int removed, int added)
{
    Q_UNUSED(removed);
    if (replacingAll_)
        return;
    if (!undoing_)
        lastEditWasUndo_ = false;
    const QTextDocument *doc = document();
    const int lastPosition = doc->characterCount() - 1;
    const QTextBlock first = doc->findBlock(std::min(position, lastPosition));
    const int last = doc->findBlock(std::min(position + added, lastPosition)).blockNumber();
    int from = first.blockNumber();
    int breaksNow = last - from;
    int breaksBefore = breaksNow - (doc->blockCount() - 1 - breaks_.count());
    // A report that does not add up is read back whole rather than trusted.
    if (breaksBefore < 0 || from + breaksBefore > breaks_.count()) {
        from = 0;
        breaksBefore = breaks_.count();
        breaksNow = doc->blockCount() - 1;
    }
    QByteArray kinds;
    kinds.reserve(breaksNow);
    for (QTextBlock block = doc->findBlockByNumber(from + 1); kinds.size() < breaksNow;
         block = block.next())
        kinds.append(BreakBefore(block));
    breaks_.replace(from, breaksBefore, kinds);
}

void TextArea::undoLastEdit()
{
    QTextDocument *doc = document();
    const bool redo = lastEditWasUndo_;
    if (redo ? !doc->isRedoAvailable() : !doc->isUndoAvailable())
        return;
    undoing_ = true;
    redo ? doc->redo() : doc->undo();
    undoing_ = false;
    lastEditWasUndo_ = !redo;
    emit contentChanged();
}

// Replaces the selection. Breaks in the text go in with the plain format, so they are CR LF
// whatever format the text around the caret has.
void TextArea::insertText(const QString &text)
{
    QTextCursor cursor = textCursor();
    cursor.insertText(text, QTextCharFormat());
    setTextCursor(cursor);
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
    insertText(ToTextAreaInput(text));
}

void TextArea::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)) {
        undoLastEdit();
        return;
    }
    // Enter, with or without Shift, is a line break like a pasted one. The edit's own handling
    // would carry the format of the caret's line into the new separator, and on an empty line
    // would first reset that line's formats as a separate step of its own.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers commandKeys =
        Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (enter && !(event->modifiers() & commandKeys)) {
        insertText(u"\n"_qs);
        ensureCursorVisible();
        event->accept();
        return;
    }
    const QString text = event->text();
    const QString accepted = ToTextAreaInput(text);
    if (accepted == text) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    QKeyEvent converted(event->type(), event->key(), event->modifiers(), accepted,
                        event->isAutoRepeat(), event->count());
    QPlainTextEdit::keyPressEvent(&converted);
    event->setAccepted(converted.isAccepted());
}

void TextArea::inputMethodEvent(QInputMethodEvent *event)
{
    const QString accepted = ToTextAreaInput(event->commitString());
    const bool breaks = accepted.contains(u'\n');
    if (accepted == event->commitString() && !breaks) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    // Text with breaks goes in as a paste would, once the input method has finished its part.
    QInputMethodEvent converted(event->preeditString(), event->attributes());
    converted.setCommitString(breaks ? QString() : accepted, event->replacementStart(),
                              event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&converted);
    if (breaks)
        insertText(accepted);
}

bool TextArea::canInsertFromMimeData(const QMimeData *source) const
{
    return source->hasText();
}

void TextArea::insertFromMimeData(const QMimeData *source)
{
    if (!source->hasText())
        return;
    insertText(ToTextAreaInput(source->text()));
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
