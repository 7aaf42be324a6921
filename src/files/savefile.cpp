#include "files/savefile.h"

#include "controls/msgbox.h"
#include "document/documentnames.h"
#include "document/documentwindow.h"
#include "filedialog/commondialog.h"
#include "files/dialogsetup.h"
#include "platform/errornumbers.h"
#include "safewrite/filewriter.h"
#include "textarea/textarea.h"

MessageRow SaveErrorTable(int errorNumber)
{
    switch (errorNumber) {
    case ErrorNumber::BadFileName:
        return {u"Save Problem"_qs, u"The file's name was not in the right format."_qs};
    case ErrorNumber::FileAlreadyOpen:
        return {u"Save Problem"_qs, u"The file is already open somewhere else."_qs};
    case ErrorNumber::DiskFull:
        return {u"Disk Full"_qs, u"The disk the file written to is full."_qs};
    case ErrorNumber::TooManyFiles:
        return {u"Too Many Files"_qs, u"Too many files are open at the same time."_qs};
    case ErrorNumber::PermissionDenied:
        return {u"Permission Denied"_qs, u"Permission was denied to save this file."_qs};
    case ErrorNumber::DiskNotReady:
        return {u"Disk not Ready"_qs, u"The Disk is not ready yet."_qs};
    case ErrorNumber::PathFileAccessError:
        return {u"File\\Path Problem"_qs, u"The was a problem accessing the path or file."_qs};
    default:
        return {u"Problems"_qs,
                u"There was a problem while attempting to save the file. The problem is unknown: "
                u"Error Code: "_qs +
                    QString::number(ToErrorNumber16(errorNumber))};
    }
}

void ReportSaveError(int errorNumber)
{
    const MessageRow row = SaveErrorTable(errorNumber);
    MsgBox(row.text, MsgBoxStyle::OkOnly + MsgBoxStyle::Exclamation, row.title);
}

bool SaveFile(DocumentWindow &window)
{
    DocumentState &state = window.documentState;
    if (state.HasPath) {
        const int error = WriteWholeFile(state.FilePath, window.Text1.bytes());
        if (error != 0) {
            ReportSaveError(error);
            return false;
        }
        return true;
    }

    CommonDialog &dialog = window.CommonDialog1;
    PrepareSaveDialog(dialog, u"Save DIZ File as.."_qs, window.documentState);
    const int dialogError = dialog.ShowSave();
    if (dialogError == ErrorNumber::DialogCancelled)
        return false;
    // Any other failure of the dialog leaves no name worth writing to.
    const int error =
        dialogError != 0 ? dialogError : WriteWholeFile(dialog.FileName, window.Text1.bytes());
    if (error != 0) {
        ReportSaveError(error);
        return false;
    }
    AttachToFile(window, dialog.FileName, dialog.FileTitle);
    return true;
}

void SaveDocument(DocumentWindow &window)
{
    if (!SaveFile(window))
        return;
    window.documentState.HasPath = FlagTrue;
    window.documentState.Changed = FlagFalse;
}
