#include "files/savedocumentas.h"

#include "document/documentnames.h"
#include "document/documentwindow.h"
#include "filedialog/commondialog.h"
#include "files/dialogsetup.h"
#include "files/savefile.h"
#include "platform/errornumbers.h"
#include "safewrite/filewriter.h"
#include "textarea/textarea.h"

// The document takes the new name only once the file holds its text: a failed write leaves it
// attached to its previous file and still marked changed, so nothing unsaved is lost unasked.
void SaveDocumentAs(DocumentWindow &window)
{
    CommonDialog &dialog = window.CommonDialog1;
    PrepareSaveDialog(dialog, u"Save DIZ as.."_qs, window.documentState);
    const int dialogError = dialog.ShowSave();
    if (dialogError == ErrorNumber::DialogCancelled)
        return;
    const int error =
        dialogError != 0 ? dialogError : WriteWholeFile(dialog.FileName, window.Text1.bytes());
    if (error != 0) {
        ReportSaveError(error);
        return;
    }
    AttachToFile(window, dialog.FileName, dialog.FileTitle);
}
