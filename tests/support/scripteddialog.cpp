#include "support/scripteddialog.h"

#include "platform/errornumbers.h"

#include <QFileInfo>

ScriptedDialog::ScriptedDialog()
{
    previous_ = CommonDialog::SetHandler([this](CommonDialog &dialog, CommonDialog::Kind kind) {
        shown_.append({kind, dialog.CancelError, dialog.DefaultExt, dialog.DialogTitle,
                       dialog.FileName, dialog.Filter, dialog.FilterIndex, dialog.Flags});
        const std::optional<QString> reply =
            replies_.isEmpty() ? std::nullopt : replies_.takeFirst();
        if (!reply)
            return dialog.CancelError ? ErrorNumber::DialogCancelled : 0;
        dialog.FileName = *reply;
        dialog.FileTitle = QFileInfo(*reply).fileName();
        return 0;
    });
}

ScriptedDialog::~ScriptedDialog()
{
    CommonDialog::SetHandler(std::move(previous_));
}
