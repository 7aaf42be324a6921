#include "safewrite/inplacewrite.h"

#include "platform/filenames.h"
#include "safewrite/rawwrite.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace {

// The old content, read where the file allows reading; without it a failed overwrite cannot be
// undone, but the room the new content needs has been made by then, so only a failing disk can
// get there.
struct OldContent
{
    QByteArray bytes;
    bool known = false;
};

OldContent ReadOldContent(int fd, qint64 size)
{
    OldContent old;
    old.bytes.resize(size);
    old.known = ReadAllAt(fd, old.bytes.data(), size, 0) == 0;
    return old;
}

void PutBack(int fd, const OldContent &old)
{
    if (!old.known)
        return;
    std::ignore = WriteAllAt(fd, old.bytes.constData(), old.bytes.size(), 0);
    std::ignore = ::ftruncate(fd, old.bytes.size());
    std::ignore = FlushToDisk(fd);
}

int OverwriteRegularFile(int fd, qint64 oldSize, const QByteArray &bytes)
{
    const qint64 newSize = bytes.size();
    if (const int error = CheckSizeLimit(newSize))
        return error;
    if (newSize > oldSize) {
        int error = WriteAllAt(fd, bytes.constData() + oldSize, newSize - oldSize, oldSize);
        if (error == 0)
            error = FlushToDisk(fd);
        if (error != 0) {
            std::ignore = ::ftruncate(fd, oldSize);
            return error;
        }
    }
    const OldContent old = ReadOldContent(fd, oldSize);
    int error = WriteAllAt(fd, bytes.constData(), std::min(oldSize, newSize), 0);
    if (error == 0 && newSize < oldSize && ::ftruncate(fd, newSize) != 0)
        error = errno;
    if (error == 0)
        error = FlushToDisk(fd);
    if (error != 0) {
        PutBack(fd, old);
        if (!old.known && newSize > oldSize)
            std::ignore = ::ftruncate(fd, oldSize);
    }
    return error;
}

int OpenForOverwriting(const QByteArray &name)
{
    // Non-blocking, so that a FIFO without a reader fails at once instead of hanging. Only a
    // regular file is opened for reading too: a FIFO opened so would be its own reader.
    constexpr int flags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    struct stat status = {};
    if (::stat(name.constData(), &status) == 0 && S_ISREG(status.st_mode)) {
        const int fd = ::open(name.constData(), O_RDWR | flags);
        if (fd >= 0 || errno != EACCES)
            return fd;
    }
    return ::open(name.constData(), O_WRONLY | flags);
}

} // namespace

int WriteInPlace(const QString &target, const QByteArray &bytes)
{
    const int fd = OpenForOverwriting(EncodeFileName(target));
    if (fd < 0)
        return errno;

    int error = 0;
    struct stat status = {};
    if (::fstat(fd, &status) != 0)
        error = errno;
    if (error == 0) {
        const int flags = ::fcntl(fd, F_GETFL);
        if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
            error = errno;
    }
    if (error == 0 && S_ISREG(status.st_mode))
        error = OverwriteRegularFile(fd, status.st_size, bytes);
    else if (error == 0)
        error = WriteAllAt(fd, bytes.constData(), bytes.size(), -1);
    return CloseChecked(fd, error);
}
