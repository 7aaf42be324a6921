#include "files/dialogsetup.h"

#include "document/documentstate.h"
#include "filedialog/commondialog.h"
#include "platform/filenames.h"

namespace {

void SetSharedProperties(CommonDialog &dialog, const DocumentState &document)
{
    dialog.CancelError = true;
    dialog.DefaultExt = u".diz"_qs;
    dialog.Filter = u"Description In Zip|*.diz|All Files|*.*"_qs;
    dialog.FilterIndex = 1;
    // Without a file of its own the dialog starts where it was last.
    dialog.InitDir = document.HasPath ? FolderPart(document.FilePath) : QString();
}

} // namespace

void PrepareOpenDialog(CommonDialog &dialog, const DocumentState &document)
{
    SetSharedProperties(dialog, document);
    dialog.DialogTitle = u"Open DIZ File"_qs;
    dialog.FileName = u"*.diz"_qs;
    dialog.Flags = CommonDialog::FileMustExist | CommonDialog::HideReadOnly;
}

void PrepareSaveDialog(CommonDialog &dialog, const QString &title, const DocumentState &document)
{
    SetSharedProperties(dialog, document);
    dialog.DialogTitle = title;
    dialog.FileName = u"FILE_ID.DIZ"_qs;
    dialog.Flags = CommonDialog::OverwritePrompt;
}
