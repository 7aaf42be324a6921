#include "filedialog/commondialog.h"

#include "filedialog/desktopchooser.h"
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

// The desktop's own chooser where the desktop offers one, else the program's own dialog. Either
// way the folder of the choice is where the next showing starts, unless told otherwise.
int CommonDialog::ShowFileDialog(Kind kind)
{
    const QString startFolder = StartFolder();
    const DesktopChoice desktop = ChooseOnDesktop(*this, kind, startFolder);
    QString chosen = desktop.path;
    if (!desktop.answered) {
        FileDialog fileDialog(*this, kind, startFolder);
        if (fileDialog.exec() == QDialog::Accepted)
            chosen = fileDialog.chosenPath();
        lastFolder_ = fileDialog.folder();
    } else if (!chosen.isEmpty()) {
        lastFolder_ = FolderPart(chosen);
    }
    if (chosen.isEmpty())
        return CancelError ? ErrorNumber::DialogCancelled : 0;
    FileName = chosen;
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
