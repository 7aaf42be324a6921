#include "filedialog/folderlisting.h"

#include "filedialog/filepatterns.h"
#include "platform/filenames.h"

#include <QApplication>
#include <QStyle>
#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool IsFolderEntry(DIR *dir, const dirent *item)
{
    if (item->d_type == DT_DIR)
        return true;
    if (item->d_type != DT_UNKNOWN && item->d_type != DT_LNK)
        return false;
    struct stat status;
    return fstatat(dirfd(dir), item->d_name, &status, 0) == 0 && S_ISDIR(status.st_mode);
}

QList<FolderListing::Entry> ReadFolder(const QString &folder, const QString &patternText)
{
    QList<FolderListing::Entry> entries;
    DIR *dir = opendir(EncodeFileName(folder).constData());
    if (!dir)
        return entries;
    while (const dirent *item = readdir(dir)) {
        const QString name = DecodeFileName(QByteArray(item->d_name));
        if (name == u"." || name == u"..")
            continue;
        const bool isFolder = IsFolderEntry(dir, item);
        if (isFolder ? !name.startsWith(u'.') : MatchesPatterns(name, patternText))
            entries.append({name, isFolder});
    }
    closedir(dir);
    std::sort(entries.begin(), entries.end(), [](const auto &a, const auto &b) {
        if (a.isFolder != b.isFolder)
            return a.isFolder;
        const int byLetter = QString::compare(a.name, b.name, Qt::CaseInsensitive);
        return byLetter != 0 ? byLetter < 0 : a.name < b.name;
    });
    return entries;
}

} // namespace

void FolderListing::show(const QString &folder, const QString &patternText)
{
    beginResetModel();
    folder_ = folder;
    patternText_ = patternText;
    entries_ = ReadFolder(folder, patternText);
    endResetModel();
}

int FolderListing::rowOf(const QString &name) const
{
    for (int row = 0; row < entries_.size(); ++row) {
        if (entries_.at(row).name == name)
            return row;
    }
    return -1;
}

int FolderListing::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(entries_.size());
}

QVariant FolderListing::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= entries_.size())
        return {};
    const Entry &item = entries_.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return DisplayFileName(item.name);
    case Qt::DecorationRole:
        return QApplication::style()->standardIcon(item.isFolder ? QStyle::SP_DirIcon
                                                                 : QStyle::SP_FileIcon);
    default:
        return {};
    }
}

PathKind KindOfPath(const QString &path)
{
    struct stat status;
    if (stat(EncodeFileName(path).constData(), &status) != 0)
        return PathKind::Missing;
    return S_ISDIR(status.st_mode) ? PathKind::Folder : PathKind::File;
}

QString WorkingFolder()
{
    QByteArray buffer(4096, '\0');
    while (!getcwd(buffer.data(), size_t(buffer.size()))) {
        if (errno != ERANGE)
            return u"/"_qs;
        buffer.resize(buffer.size() * 2);
    }
    return DecodeFileName(QByteArray(buffer.constData()));
}
