#include "platform/commondialog.h"

#include "platform/errornumbers.h"

#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QStringList>

namespace {

CommonDialog::Handler &InstalledHandler()
{
    static CommonDialog::Handler handler;
    return handler;
}

// "Description|pattern;pattern|Description|pattern" as the dialog's name filters, one per pair.
// Qt reads the patterns from the parentheses; "*.*" becomes "*" so that names without a dot are
// listed as well. Qt matches them without regard to case, so "*.diz" lists FILE_ID.DIZ.
QStringList NameFiltersOf(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList nameFilters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts.at(i + 1).split(u';', Qt::SkipEmptyParts);
        for (QString &pattern : patterns) {
            pattern = pattern.trimmed();
            if (pattern == u"*.*")
                pattern = u"*"_qs;
        }
        nameFilters << parts.at(i) + u" ("_qs + patterns.join(u' ') + u')';
    }
    return nameFilters;
}

// Gives every file a type name, falling back to its extension when the MIME database names none
// (no database under XDG_DATA_DIRS). Qt's file model shows a file it has just listed only when
// the listing's details differ from those it started the file with, of which the type name is
// the one that differs; with every type name empty it keeps the files hidden, and the dialog
// shows a folder without its files whenever the listing arrives after the model's sort.
class TypeNamingIconProvider : public QFileIconProvider
{
public:
    QString type(const QFileInfo &info) const override
    {
        const QString known = QFileIconProvider::type(info);
        if (!known.isEmpty())
            return known;
        return info.suffix().isEmpty() ? u"File"_qs : info.suffix().toUpper() + u" File"_qs;
    }
};

int ShowQtFileDialog(CommonDialog &dialog, CommonDialog::Kind kind)
{
    TypeNamingIconProvider iconProvider;
    QFileDialog fileDialog(dialog.owner(), dialog.DialogTitle);
    fileDialog.setOption(QFileDialog::DontUseNativeDialog);
    fileDialog.setIconProvider(&iconProvider);
    // The descriptions are shown as given, without Qt's copy of the patterns after them.
    fileDialog.setOption(QFileDialog::HideNameFilterDetails);
    fileDialog.setAcceptMode(kind == CommonDialog::Kind::Open ? QFileDialog::AcceptOpen
                                                              : QFileDialog::AcceptSave);
    fileDialog.setFileMode((dialog.Flags & CommonDialog::FileMustExist) ? QFileDialog::ExistingFile
                                                                        : QFileDialog::AnyFile);
    fileDialog.setOption(QFileDialog::DontConfirmOverwrite,
                         !(dialog.Flags & CommonDialog::OverwritePrompt));

    QString suffix = dialog.DefaultExt;
    if (suffix.startsWith(u'.'))
        suffix.remove(0, 1);
    fileDialog.setDefaultSuffix(suffix);

    const QStringList nameFilters = NameFiltersOf(dialog.Filter);
    if (!nameFilters.isEmpty()) {
        fileDialog.setNameFilters(nameFilters);
        const int index = dialog.FilterIndex >= 1 && dialog.FilterIndex <= nameFilters.size()
                              ? dialog.FilterIndex
                              : 1;
        fileDialog.selectNameFilter(nameFilters.at(index - 1));
    }
    fileDialog.selectFile(dialog.FileName);

    if (fileDialog.exec() != QDialog::Accepted || fileDialog.selectedFiles().isEmpty())
        return dialog.CancelError ? ErrorNumber::DialogCancelled : 0;

    dialog.FileName = fileDialog.selectedFiles().constFirst();
    dialog.FileTitle = QFileInfo(dialog.FileName).fileName();
    return 0;
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
    return handler ? handler(*this, kind) : ShowQtFileDialog(*this, kind);
}

CommonDialog::Handler CommonDialog::SetHandler(Handler handler)
{
    return std::exchange(InstalledHandler(), std::move(handler));
}
