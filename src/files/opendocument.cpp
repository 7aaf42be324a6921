#include "files/opendocument.h"

#include "controls/msgbox.h"
#include "document/documentnames.h"
#include "document/documentwindow.h"
#include "document/guard.h"
#include "filedialog/commondialog.h"
#include "files/dialogsetup.h"
#include "files/loadfile.h"
#include "platform/errornumbers.h"
#include "platform/filenames.h"

namespace {

// What Open does once it knows the file: load it and make it the document.
void OpenChosenFile(DocumentWindow &window, const QString &path, const QString &title)
{
    if (LoadFile(window, path))
        AttachToFile(window, path, title);
}

} // namespace

void OpenDocument(DocumentWindow &window)
{
    if (!OfferToSaveChanges(window, MsgBoxStyle::Question))
        return;

    CommonDialog &dialog = window.CommonDialog1;
    PrepareOpenDialog(dialog, window.documentState);
    if (dialog.ShowOpen() == ErrorNumber::DialogCancelled)
        return;
    // Any other failure of the dialog is not reported by itself: the load reports whatever name
    // the dialog still holds.
    OpenChosenFile(window, dialog.FileName, dialog.FileTitle);
}

void OpenDocumentFile(DocumentWindow &window, const QString &path)
{
    if (OfferToSaveChanges(window, MsgBoxStyle::Question))
        OpenChosenFile(window, path, FileNamePart(path));
}
