#include "files/filewriter.h"

#include "platform/errornumbers.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace {

// Symbolic links may chain; this many hops means they go round in a loop.
constexpr int MaxLinkHops = 40;

QByteArray NativeName(const QString &path)
{
    return QFile::encodeName(path);
}

bool MayWrite(const QString &path, int mode)
{
    return ::faccessat(AT_FDCWD, NativeName(path).constData(), mode, AT_EACCESS) == 0;
}

QString FolderOf(const QString &path)
{
    return QFileInfo(path).absolutePath();
}

// The file a chain of symbolic links ends at, which need not exist yet; empty for a loop.
QString FollowLinks(const QString &path)
{
    QString current = path;
    for (int hop = 0; hop < MaxLinkHops; ++hop) {
        struct stat status = {};
        if (::lstat(NativeName(current).constData(), &status) != 0 || !S_ISLNK(status.st_mode))
            return current;
        current = QFileInfo(current).symLinkTarget();
    }
    return {};
}

// Only a regular file with one name can be replaced by another file without anyone noticing,
// and only when the new file can stand in its folder and carry the old one's owner.
bool ReplaceableAsAWhole(const QString &target, const struct stat &status)
{
    const uid_t user = ::geteuid();
    return S_ISREG(status.st_mode) && status.st_nlink == 1 &&
           (user == 0 || status.st_uid == user) && MayWrite(FolderOf(target), W_OK | X_OK);
}

int WriteAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(fd, bytes.constData() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote < 0)
            return errno;
        if (wrote == 0)
            return ENOSPC;
        done += wrote;
    }
    return 0;
}

// Reserves the blocks for size bytes without changing the file, so that a full disk or the
// process's file size limit is met before the old content is overwritten.
int MakeRoom(int fd, qsizetype size)
{
    rlimit limit = {};
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
        static_cast<rlim_t>(size) > limit.rlim_cur)
        return EFBIG;
    if (size > 0 && ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, size) != 0 && errno != EOPNOTSUPP)
        return errno;
    return 0;
}

// Writes through the file's own name. A regular file first gets room for the whole new content
// and is overwritten from the start, so that running out of space or over the size limit stops
// the save before the old content is touched.
int WriteInPlace(const QString &target, const QByteArray &bytes)
{
    // Non-blocking, so that a FIFO without a reader fails at once instead of hanging.
    const int fd =
        ::open(NativeName(target).constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return errno;

    int error = 0;
    struct stat status = {};
    if (::fstat(fd, &status) != 0)
        error = errno;
    const bool regular = error == 0 && S_ISREG(status.st_mode);
    if (regular)
        error = MakeRoom(fd, bytes.size());
    if (error == 0) {
        const int flags = ::fcntl(fd, F_GETFL);
        if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
            error = errno;
    }
    if (error == 0)
        error = WriteAll(fd, bytes);
    if (error == 0 && regular && ::ftruncate(fd, bytes.size()) != 0)
        error = errno;
    if (error == 0 && regular && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0 && errno != EINTR)
        error = errno;
    return error;
}

// The new file beside the old one takes its owner and every permission bit; one who is not root
// keeps at least the group, if they belong to it. Changing the owner clears the set-user-ID and
// set-group-ID bits, so the mode comes second. Failing here is no reason to refuse the save.
void KeepOwnerAndMode(int fd, const struct stat &previous)
{
    if (::fchown(fd, previous.st_uid, previous.st_gid) != 0)
        std::ignore = ::fchown(fd, static_cast<uid_t>(-1), previous.st_gid);
    std::ignore = ::fchmod(fd, previous.st_mode & 07777);
}

// Writes a new file beside the target and puts it in the target's place once it is complete and
// flushed to disk; on any failure the target is left as it was and the new file is removed.
int WriteReplacing(const QString &target, const QByteArray &bytes, const struct stat *previous)
{
    QSaveFile file(target);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return errno != 0 ? errno : EIO;
    if (previous)
        KeepOwnerAndMode(file.handle(), *previous);

    // A full disk or the size limit shows as a short count, with the reason left in errno.
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        const int error = errno != 0 ? errno : ENOSPC;
        file.cancelWriting();
        return error;
    }
    if (::fsync(file.handle()) != 0 && errno != EINVAL) {
        const int error = errno;
        file.cancelWriting();
        return error;
    }
    errno = 0;
    if (!file.commit())
        return errno != 0 ? errno : EIO;
    return 0;
}

int OsErrorOfWrite(const QString &target, const QByteArray &bytes)
{
    struct stat status = {};
    if (::stat(NativeName(target).constData(), &status) != 0) {
        if (errno != ENOENT)
            return errno;
        if (!MayWrite(FolderOf(target), W_OK | X_OK))
            return errno;
        return WriteReplacing(target, bytes, nullptr);
    }
    if (S_ISDIR(status.st_mode))
        return EISDIR;
    if (!MayWrite(target, W_OK))
        return errno;
    if (ReplaceableAsAWhole(target, status))
        return WriteReplacing(target, bytes, &status);
    return WriteInPlace(target, bytes);
}

} // namespace

int WriteWholeFile(const QString &path, const QByteArray &bytes)
{
    if (path.isEmpty())
        return ErrorNumber::BadFileName;
    const QString target = FollowLinks(path);
    const int osError = target.isEmpty() ? ELOOP : OsErrorOfWrite(target, bytes);
    return osError == 0 ? 0 : ErrorNumberForOsError(osError, target.isEmpty() ? path : target);
}
