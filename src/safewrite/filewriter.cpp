#include "safewrite/filewriter.h"

#include "platform/errornumbers.h"
#include "platform/filenames.h"
#include "safewrite/inplacewrite.h"
#include "safewrite/replacingwrite.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Symbolic links may chain; this many hops means they go round in a loop.
constexpr int MaxLinkHops = 40;

bool MayWrite(const QString &path, int mode)
{
    return ::faccessat(AT_FDCWD, EncodeFileName(path).constData(), mode, AT_EACCESS) == 0;
}

// The file a chain of symbolic links ends at, which need not exist yet; empty for a loop.
QString FollowLinks(const QString &path)
{
    QString current = path;
    for (int hop = 0; hop < MaxLinkHops; ++hop) {
        const QByteArray name = EncodeFileName(current);
        struct stat status = {};
        if (::lstat(name.constData(), &status) != 0 || !S_ISLNK(status.st_mode))
            return current;
        const QString pointsTo = LinkTarget(name);
        if (pointsTo.isEmpty())
            return current;
        current = pointsTo.startsWith(u'/') ? pointsTo : FolderPart(current) + u'/' + pointsTo;
    }
    return {};
}

// Only a regular file with one name can be replaced by another file without anyone noticing,
// and only when the new file can stand in its folder and carry the old one's owner.
bool ReplaceableAsAWhole(const QString &target, const struct stat &status)
{
    const uid_t user = ::geteuid();
    return S_ISREG(status.st_mode) && status.st_nlink == 1 &&
           (user == 0 || status.st_uid == user) && MayWrite(FolderPart(target), W_OK | X_OK);
}

int OsErrorOfWrite(const QString &target, const QByteArray &bytes)
{
    struct stat status = {};
    if (::stat(EncodeFileName(target).constData(), &status) != 0) {
        if (errno != ENOENT)
            return errno;
        if (!MayWrite(FolderPart(target), W_OK | X_OK))
            return errno;
        return WriteNewFile(target, bytes);
    }
    if (S_ISDIR(status.st_mode))
        return EISDIR;
    if (!MayWrite(target, W_OK))
        return errno;
    if (ReplaceableAsAWhole(target, status)) {
        const int error = WriteReplacing(target, bytes, status);
        if (error != MustWriteInPlace)
            return error;
    }
    return WriteInPlace(target, bytes);
}

} // namespace

int WriteWholeFile(const QString &path, const QByteArray &bytes)
{
    if (path.isEmpty())
        return ErrorNumber::BadFileName;
    const QString target = FollowLinks(path);
    int osError = target.isEmpty() ? ELOOP : OsErrorOfWrite(target, bytes);
    // Another program created the file between the look and the write: write it as it now is.
    if (osError == EEXIST)
        osError = OsErrorOfWrite(target, bytes);
    return osError == 0 ? 0 : ErrorNumberForOsError(osError, target.isEmpty() ? path : target);
}
