#include "filedialog/nameboxentry.h"

#include "filedialog/filepatterns.h"
#include "platform/filenames.h"

#include <QDir>

namespace {

// A leading dot only hides a name; a name typed with a dot at its end asks for no extension.
bool HasExtension(const QString &name)
{
    return name.lastIndexOf(u'.') > 0;
}

NameBoxMeaning FileMeaning(const QString &path, const NameBoxContext &context)
{
    const QString name = FileNamePart(path);
    QString extension = context.defaultExt;
    if (extension.startsWith(u'.'))
        extension.remove(0, 1);
    const bool typedExists = context.kindOf(path) == PathKind::File;
    if (HasExtension(name) || extension.isEmpty())
        return {NameBoxMeaning::Kind::File, path, {}, typedExists};

    const QString withExtension = path + u'.' + extension;
    const bool withExtensionExists = context.kindOf(withExtension) == PathKind::File;
    if (context.open && !withExtensionExists && typedExists)
        return {NameBoxMeaning::Kind::File, path, {}, true};
    return {NameBoxMeaning::Kind::File, withExtension, {}, withExtensionExists};
}

} // namespace

QString ResolvePath(const QString &folder, const QString &typed)
{
    return QDir::cleanPath(typed.startsWith(u'/') ? typed : folder + u'/' + typed);
}

NameBoxMeaning InterpretNameBox(const QString &text, const NameBoxContext &context)
{
    if (text.trimmed().isEmpty())
        return {};
    const QString path = ResolvePath(context.folder, text);
    const QString name = FileNamePart(path);
    const QString folder = FolderPart(path);
    if (IsPattern(name)) {
        if (context.kindOf(folder) != PathKind::Folder)
            return {NameBoxMeaning::Kind::MissingFolder, folder, {}, false};
        return {NameBoxMeaning::Kind::Patterns, folder, name, false};
    }
    if (context.kindOf(path) == PathKind::Folder)
        return {NameBoxMeaning::Kind::Folder, path, {}, false};
    if (context.kindOf(folder) != PathKind::Folder)
        return {NameBoxMeaning::Kind::MissingFolder, folder, {}, false};
    return FileMeaning(path, context);
}
