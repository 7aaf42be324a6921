#include "files/dialogsetup.h"

#include "platform/commondialog.h"

namespace {

void SetSharedProperties(CommonDialog &dialog)
{
    dialog.CancelError = true;
    dialog.DefaultExt = u".diz"_qs;
    dialog.Filter = u"Description In Zip|*.diz|All Files|*.*"_qs;
    dialog.FilterIndex = 1;
}

} // namespace

void PrepareOpenDialog(CommonDialog &dialog)
{
    SetSharedProperties(dialog);
    dialog.DialogTitle = u"Open DIZ File"_qs;
    dialog.FileName = u"*.diz"_qs;
    dialog.Flags = CommonDialog::FileMustExist | CommonDialog::HideReadOnly;
}

void PrepareSaveDialog(CommonDialog &dialog, const QString &title)
{
    SetSharedProperties(dialog);
    dialog.DialogTitle = title;
    dialog.FileName = u"FILE_ID.DIZ"_qs;
    dialog.Flags = CommonDialog::OverwritePrompt;
}
