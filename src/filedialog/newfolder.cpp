#include "filedialog/newfolder.h"

#include "controls/placement.h"
#include "platform/filenames.h"

#include <QInputDialog>
#include <QShowEvent>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace {

class CentredInputDialog : public QInputDialog
{
public:
    using QInputDialog::QInputDialog;

protected:
    void showEvent(QShowEvent *event) override
    {
        QInputDialog::showEvent(event);
        if (!event->spontaneous() && parentWidget())
            CentreOverOwner(this, parentWidget());
    }
};

} // namespace

QString AskNewFolderName(QWidget *fileDialog)
{
    CentredInputDialog input(fileDialog);
    input.setWindowTitle(u"New Folder"_qs);
    input.setLabelText(u"Name of the new folder:"_qs);
    input.setTextValue(u"New Folder"_qs);
    if (input.exec() != QDialog::Accepted || input.textValue().trimmed().isEmpty())
        return {};
    return input.textValue();
}

QString MakeFolder(const QString &path)
{
    if (::mkdir(EncodeFileName(path).constData(), 0777) == 0)
        return {};
    return QString::fromLocal8Bit(std::strerror(errno));
}
