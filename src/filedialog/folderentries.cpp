#include "filedialog/folderentries.h"

#include "filedialog/filepatterns.h"
#include "platform/filenames.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

qint64 ModifiedOf(const struct stat &status)
{
    return qint64(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec;
}

// Follows links; a link whose target cannot be reached is broken. An entry that cannot be
// looked at (a folder readable but not searchable) is listed by its type alone.
FolderEntry EntryOf(DIR *dir, const dirent *item, const QString &name)
{
    FolderEntry entry{name};
    struct stat status;
    if (fstatat(dirfd(dir), item->d_name, &status, 0) == 0) {
        entry.isFolder = S_ISDIR(status.st_mode);
        entry.size = entry.isFolder ? 0 : qint64(status.st_size);
        entry.modified = ModifiedOf(status);
    } else if (fstatat(dirfd(dir), item->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0) {
        entry.isBrokenLink = S_ISLNK(status.st_mode);
        entry.modified = ModifiedOf(status);
    } else {
        entry.isFolder = item->d_type == DT_DIR;
    }
    return entry;
}

int CompareNames(const QString &a, const QString &b)
{
    const int byLetter = QString::compare(a, b, Qt::CaseInsensitive);
    return byLetter != 0 ? byLetter : QString::compare(a, b, Qt::CaseSensitive);
}

} // namespace

FolderReading ReadFolder(const QString &folder, const QString &patternText, bool hiddenShown)
{
    FolderReading reading;
    DIR *dir = opendir(EncodeFileName(folder).constData());
    if (!dir) {
        reading.error = errno;
        return reading;
    }
    for (;;) {
        errno = 0;
        const dirent *item = readdir(dir);
        if (!item) {
            reading.error = errno;
            break;
        }
        const QString name = DecodeFileName(QByteArray(item->d_name));
        if (name == u"." || name == u"..")
            continue;
        const FolderEntry entry = EntryOf(dir, item, name);
        if (entry.isFolder ? hiddenShown || !name.startsWith(u'.')
                           : MatchesPatterns(name, patternText, hiddenShown))
            reading.entries.append(entry);
    }
    closedir(dir);
    return reading;
}

bool ComesBefore(const FolderEntry &a, const FolderEntry &b, FolderColumn column,
                 Qt::SortOrder order)
{
    if (a.isFolder != b.isFolder)
        return a.isFolder;
    const FolderEntry &first = order == Qt::AscendingOrder ? a : b;
    const FolderEntry &second = order == Qt::AscendingOrder ? b : a;
    // A broken link has no size: it comes before the empty files.
    const auto sizeOf = [](const FolderEntry &entry) {
        return entry.isBrokenLink ? -1 : entry.size;
    };
    if (column == FolderColumn::Size && sizeOf(first) != sizeOf(second))
        return sizeOf(first) < sizeOf(second);
    if (column == FolderColumn::Modified && first.modified != second.modified)
        return first.modified < second.modified;
    return CompareNames(first.name, second.name) < 0;
}
