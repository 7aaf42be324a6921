#include "editing/editcommands.h"

#include "platform/clipboard.h"
#include "textarea/textarea.h"

void UndoEdit(TextArea &text1)
{
    text1.undoLastEdit();
}

void EditSelection(TextArea &text1, std::int16_t operation)
{
    // Both texts are read before anything changes, whatever the operation.
    const QString selected = text1.selText();
    const QString clipboard = ClipboardGetText();
    switch (operation) {
    case EditOperation::Cut:
        text1.setSelText(QString());
        ClipboardSetText(selected);
        break;
    case EditOperation::Copy:
        ClipboardSetText(selected);
        break;
    case EditOperation::Paste:
        text1.setSelText(clipboard);
        break;
    case EditOperation::Delete:
        text1.setSelText(QString());
        break;
    case EditOperation::SelectAll:
        text1.setSelStart(0);
        text1.setSelLength(text1.byteLength());
        break;
    default:
        break;
    }
}
