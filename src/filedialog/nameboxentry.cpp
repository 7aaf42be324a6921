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

QString ExpandHome(const QString &text, const QString &home)
{
    if (text == u"~" || text.startsWith(u"~/"))
        return home + text.mid(1);
    return text;
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
    const QString path = ResolvePath(context.folder, ExpandHome(text, context.home));
    const QString name = FileNamePart(path);
    const QString folder = FolderPart(path);
    const bool folderExists = context.kindOf(folder) == PathKind::Folder;
    if (IsPattern(name)) {
        if (!folderExists)
            return {NameBoxMeaning::Kind::MissingFolder, folder, {}, false};
        return {NameBoxMeaning::Kind::Patterns, folder, name, false};
    }
    if (context.kindOf(path) == PathKind::Folder)
        return {NameBoxMeaning::Kind::Folder, path, {}, false};
    // A text ending in "/" names a folder, never a file to save.
    if (text.endsWith(u'/'))
        return {NameBoxMeaning::Kind::MissingFolder, path, {}, false};
    // Without the check, a name in a folder still to be made is returned as it is, and the
    // write that follows reports the missing folder.
    if (!folderExists && context.pathMustExist)
        return {NameBoxMeaning::Kind::MissingFolder, folder, {}, false};
    return FileMeaning(path, context);
}
