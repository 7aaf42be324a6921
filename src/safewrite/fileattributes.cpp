#include "safewrite/fileattributes.h"

#include <QList>
#include <cerrno>
#include <functional>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

// The names of a file's extended attributes; an empty list where the file system has none.
bool ListAttributes(const std::function<ssize_t(char *, size_t)> &list, QList<QByteArray> &names)
{
    for (;;) {
        const ssize_t size = list(nullptr, 0);
        if (size < 0)
            return errno == ENOTSUP;
        QByteArray buffer(size, Qt::Uninitialized);
        const ssize_t got = list(buffer.data(), buffer.size());
        if (got < 0 && errno == ERANGE)
            continue;
        if (got < 0)
            return false;
        buffer.truncate(got);
        names = buffer.split('\0');
        names.removeAll(QByteArray());
        return true;
    }
}

bool ReadAttribute(const QByteArray &file, const QByteArray &name, QByteArray &value)
{
    for (;;) {
        const ssize_t size = ::getxattr(file.constData(), name.constData(), nullptr, 0);
        if (size < 0)
            return false;
        value.resize(size);
        const ssize_t got = ::getxattr(file.constData(), name.constData(), value.data(), size);
        if (got < 0 && errno == ERANGE)
            continue;
        value.truncate(got);
        return got >= 0;
    }
}

bool CarryExtendedAttributes(int newFd, const QByteArray &oldName)
{
    QList<QByteArray> oldNames, newNames;
    if (!ListAttributes(
            [&](char *list, size_t size) { return ::listxattr(oldName.constData(), list, size); },
            oldNames))
        return false;
    if (!ListAttributes([&](char *list, size_t size) { return ::flistxattr(newFd, list, size); },
                        newNames))
        return false;
    for (const QByteArray &name : newNames) {
        if (!oldNames.contains(name) && ::fremovexattr(newFd, name.constData()) != 0)
            return false;
    }
    for (const QByteArray &name : oldNames) {
        QByteArray value;
        if (!ReadAttribute(oldName, name, value) ||
            ::fsetxattr(newFd, name.constData(), value.constData(), value.size(), 0) != 0)
            return false;
    }
    return true;
}

} // namespace

bool CarryAttributes(int newFd, const QByteArray &oldName, const struct stat &old)
{
    // The owner goes first: changing it clears the set-user-ID and set-group-ID bits, which the
    // mode puts back last. The access control list comes before the mode, whose group bits are
    // then the list's mask, as they were on the old file.
    return ::fchown(newFd, old.st_uid, old.st_gid) == 0 &&
           CarryExtendedAttributes(newFd, oldName) && ::fchmod(newFd, old.st_mode & 07777) == 0;
}
