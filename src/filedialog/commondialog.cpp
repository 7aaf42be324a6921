#include "filedialog/commondialog.h"

#include "filedialog/filedialog.h"
#include "filedialog/folderlisting.h"
#include "platform/errornumbers.h"
#include "platform/filenames.h"

namespace {

CommonDialog::Handler &InstalledHandler()
{
    static CommonDialog::Handler handler;
    return handler;
}

} // namespace

int CommonDialog::ShowOpen()
{
    return Show(Kind::Open);
}

int CommonDialog::ShowSave()
{
    return Show(Kind::Save);
}

int CommonDialog::Show(Kind kind)
{
    const Handler &handler = InstalledHandler();
    return handler ? handler(*this, kind) : ShowFileDialog(kind);
}

int CommonDialog::ShowFileDialog(Kind kind)
{
    FileDialog fileDialog(*this, kind, StartFolder());
    const bool chosen = fileDialog.exec() == QDialog::Accepted;
    lastFolder_ = fileDialog.folder();
    if (!chosen)
        return CancelError ? ErrorNumber::DialogCancelled : 0;
    FileName = fileDialog.chosenPath();
    FileTitle = FileNamePart(FileName);
    return 0;
}

QString CommonDialog::StartFolder() const
{
    const QString workingFolder = WorkingFolder();
    const QString fileNameFolder = FileName.contains(u'/') ? FolderPart(FileName) : QString();
    for (const QString &candidate : {fileNameFolder, InitDir, lastFolder_}) {
        if (candidate.isEmpty())
            continue;
        const QString folder = ResolvePath(workingFolder, candidate);
        if (KindOfPath(folder) == PathKind::Folder)
            return folder;
    }
    return workingFolder;
}

CommonDialog::Handler CommonDialog::SetHandler(Handler handler)
{
    return std::exchange(InstalledHandler(), std::move(handler));
}
