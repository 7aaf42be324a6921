#include "safewrite/replacingwrite.h"

#include "platform/filenames.h"
#include "safewrite/fileattributes.h"
#include "safewrite/rawwrite.h"

#include <cerrno>
#include <cstdlib>
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

} // namespace

int WriteReplacing(const QString &target, const QByteArray &bytes, const struct stat &previous)
{
    if (const int error = CheckSizeLimit(bytes.size()))
        return error;
    const QByteArray folder = EncodeFileName(FolderPart(target));
    const QByteArray name = EncodeFileName(target);
    // A short name of our own, so that even the longest file name leaves room for it.
    QByteArray temporary = folder + "/.vellum-XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return errno;

    int error = WriteAndFlush(fd, bytes);
    if (error == 0 && !CarryAttributes(fd, name, previous))
        error = MustWriteInPlace;
    error = CloseChecked(fd, error);
    if (error == 0 && ::rename(temporary.constData(), name.constData()) != 0)
        error = errno == EBUSY || errno == EXDEV ? MustWriteInPlace : errno;
    if (error != 0) {
        ::unlink(temporary.constData());
        return error;
    }
    FlushFolder(folder);
    return 0;
}

int WriteNewFile(const QString &target, const QByteArray &bytes)
{
    if (const int error = CheckSizeLimit(bytes.size()))
        return error;
    const QByteArray name = EncodeFileName(target);
    const int fd =
        ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0)
        return errno;
    const int error = CloseChecked(fd, WriteAndFlush(fd, bytes));
    if (error != 0) {
        ::unlink(name.constData());
        return error;
    }
    FlushFolder(EncodeFileName(FolderPart(target)));
    return 0;
}
