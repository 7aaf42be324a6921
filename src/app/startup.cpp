#include "app/startup.h"

#include "document/caption.h"
#include "document/documentwindow.h"
#include "files/loadfile.h"
#include "platform/textarea.h"

namespace {

QString FileNamePart(const QString &path) { return path.mid(path.lastIndexOf(u'/') + 1); }

} // namespace

void Form_Load(DocumentWindow &window, const QString &argumentText)
{
    DocumentState &state = window.documentState;
    if (argumentText.isEmpty()) {
        window.Text1.setBytes({});
        state.FilePath = u"Untitled"_qs;
        state.HasPath = FlagFalse;
        state.Changed = FlagFalse;
        state.DisplayName = u"Untitled"_qs;
        UpdateCaption(window);
        return;
    }
    if (!LoadFile(window, argumentText))
        return;
    state.FilePath = argumentText;
    state.HasPath = FlagTrue;
    state.Changed = FlagFalse;
    state.DisplayName = FileNamePart(argumentText);
    UpdateCaption(window);
}
