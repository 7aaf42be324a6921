#include "files/opendocument.h"

#include "document/documentnames.h"
#include "document/documentwindow.h"
#include "document/guard.h"
#include "files/dialogsetup.h"
#include "files/loadfile.h"
#include "platform/commondialog.h"
#include "platform/errornumbers.h"
#include "platform/msgbox.h"

void OpenDocument(DocumentWindow &window)
{
    if (!OfferToSaveChanges(window, MsgBoxStyle::Question))
        return;

    CommonDialog &dialog = window.CommonDialog1;
    PrepareOpenDialog(dialog);
    if (dialog.ShowOpen() == ErrorNumber::DialogCancelled)
        return;
    // Any other failure of the dialog is not reported by itself: the load reports whatever name
    // the dialog still holds.
    if (!LoadFile(window, dialog.FileName))
        return;

    AttachToFile(window, dialog.FileName, dialog.FileTitle);
}
