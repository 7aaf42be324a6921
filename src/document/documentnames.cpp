#include "document/documentnames.h"

#include "document/caption.h"
#include "document/documentwindow.h"
#include "textarea/textarea.h"

void ResetToUntitled(DocumentWindow &window)
{
    // Emptying the text marks the document changed; the mark is cleared afterwards.
    window.Text1.setBytes({});
    DocumentState &state = window.documentState;
    state.FilePath = u"Untitled"_qs;
    state.HasPath = FlagFalse;
    state.Changed = FlagFalse;
    state.DisplayName = u"Untitled"_qs;
}

void AttachToFile(DocumentWindow &window, const QString &path, const QString &displayName)
{
    DocumentState &state = window.documentState;
    state.FilePath = path;
    state.HasPath = FlagTrue;
    state.Changed = FlagFalse;
    state.DisplayName = displayName;
    UpdateCaption(window);
}
