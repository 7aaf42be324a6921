#include "filedialog/replacequestion.h"

#include "controls/centredmessagebox.h"
#include "platform/filenames.h"

bool AskToReplace(QWidget *owner, const QString &title, const QString &path)
{
    const QString text = u"%1 already exists.\nDo you want to replace it?"_qs.arg(
        DisplayFileName(FileNamePart(path)));
    CentredMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Yes | QMessageBox::No,
                          owner);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}
