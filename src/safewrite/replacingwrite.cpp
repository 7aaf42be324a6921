#include "safewrite/replacingwrite.h"

#include "platform/filenames.h"
#include "safewrite/fileattributes.h"
#include "safewrite/rawwrite.h"
#include "safewrite/replacementfile.h"

#include <cerrno>
#include <fcntl.h>
#include <tuple>
#include <unistd.h>

namespace {

int WriteAndFlush(int fd, const QByteArray &bytes)
{
    const int error = WriteAllAt(fd, bytes.constData(), bytes.size(), 0);
    return error != 0 ? error : FlushToDisk(fd);
}

// The rename is on the disk only once the folder is.
void FlushFolder(const QByteArray &folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    std::ignore = ::fsync(fd);
    ::close(fd);
}

// Writes the whole copy, gives it the old file's attributes, flushes it and puts it in place of
// name. Returns 0, an errno value, MustWriteInPlace or ReplacementFile::NoUnnamedFile.
int WriteCopy(const QByteArray &folder, const QByteArray &name, const QByteArray &bytes,
              const struct stat &previous, ReplacementFile::Kind kind)
{
    ReplacementFile copy(folder, kind);
    if (copy.fd() < 0)
        return copy.error();
    int error = WriteAllAt(copy.fd(), bytes.constData(), bytes.size(), 0);
    if (error == 0 && !CarryAttributes(copy.fd(), name, previous))
        error = MustWriteInPlace;
    // One flush for the content and the attributes, before the copy can take the old file's name.
    if (error == 0)
        error = FlushToDisk(copy.fd());
    if (error == 0) {
        error = copy.TakePlaceOf(name);
        // A bind-mounted file cannot be renamed over.
        if (error == EBUSY || error == EXDEV)
            error = MustWriteInPlace;
    }
    return error;
}

// Writes a new file without a name and names it once it is complete, so that a save cut short
// leaves nothing. The link fails with EEXIST where another program has made the file meanwhile.
// Returns NoUnnamedFile where the file system makes no unnamed files or they cannot be named (no
// /proc): the file is then to be written under its name.
int WriteUnnamedNewFile(const QByteArray &folder, const QByteArray &name, const QByteArray &bytes)
{
    const int fd = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0)
        return ReplacementFile::NoUnnamedFile;
    int error = WriteAndFlush(fd, bytes);
    if (error == 0) {
        error = LinkUnnamedFile(fd, name);
        if (error != 0 && error != EEXIST && error != ENOSPC && error != EDQUOT)
            error = ReplacementFile::NoUnnamedFile;
    }
    const bool named = error == 0;
    error = CloseChecked(fd, error);
    if (error != 0 && named)
        ::unlink(name.constData());
    return error;
}

} // namespace

int WriteReplacing(const QString &target, const QByteArray &bytes, const struct stat &previous)
{
    if (const int error = CheckSizeLimit(bytes.size()))
        return error;
    const QByteArray folder = EncodeFileName(FolderPart(target));
    const QByteArray name = EncodeFileName(target);
    int error = WriteCopy(folder, name, bytes, previous, ReplacementFile::Kind::Unnamed);
    if (error == ReplacementFile::NoUnnamedFile)
        error = WriteCopy(folder, name, bytes, previous, ReplacementFile::Kind::Named);
    // The copy needs room for the whole file, while writing in place needs room only for what the
    // file grows by, and keeps the old bytes should that fail too.
    if (error == ENOSPC || error == EDQUOT)
        return MustWriteInPlace;
    if (error == 0)
        FlushFolder(folder);
    return error;
}

int WriteNewFile(const QString &target, const QByteArray &bytes)
{
    if (const int error = CheckSizeLimit(bytes.size()))
        return error;
    const QByteArray name = EncodeFileName(target);
    const QByteArray folder = EncodeFileName(FolderPart(target));
    if (const int error = WriteUnnamedNewFile(folder, name, bytes);
        error != ReplacementFile::NoUnnamedFile) {
        if (error == 0)
            FlushFolder(folder);
        return error;
    }
    const int fd =
        ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0)
        return errno;
    const int error = CloseChecked(fd, WriteAndFlush(fd, bytes));
    if (error != 0) {
        ::unlink(name.constData());
        return error;
    }
    FlushFolder(folder);
    return 0;
}
