#include "safewrite/rawwrite.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

int WriteAllAt(int fd, const char *data, qint64 size, off_t offset)
{
    qint64 done = 0;
    while (done < size) {
        errno = 0;
        const ssize_t wrote = offset < 0 ? ::write(fd, data + done, size - done)
                                         : ::pwrite(fd, data + done, size - done, offset + done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return errno != 0 ? errno : ENOSPC;
        done += wrote;
    }
    return 0;
}

int ReadAllAt(int fd, char *buffer, qint64 size, off_t offset)
{
    qint64 done = 0;
    while (done < size) {
        const ssize_t got = ::pread(fd, buffer + done, size - done, offset + done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return got < 0 ? errno : EIO;
        done += got;
    }
    return 0;
}

int CheckSizeLimit(qint64 size)
{
    rlimit limit = {};
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
        static_cast<rlim_t>(size) > limit.rlim_cur)
        return EFBIG;
    return 0;
}

int CloseChecked(int fd, int error)
{
    if (::close(fd) != 0 && error == 0 && errno != EINTR)
        return errno;
    return error;
}

int FlushToDisk(int fd)
{
    // Pipes and devices cannot be flushed and need not be.
    return ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS ? 0 : errno;
}

int LinkUnnamedFile(int fd, const QByteArray &name)
{
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    return ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0
               ? 0
               : errno;
}
