#include "platform/errornumbers.h"

#include "platform/filenames.h"

#include <cerrno>
#include <sys/stat.h>

namespace {

bool FolderExists(const QString &path)
{
    struct stat status = {};
    return ::stat(EncodeFileName(FolderPart(path)).constData(), &status) == 0 &&
           S_ISDIR(status.st_mode);
}

} // namespace

int ErrorNumberForOsError(int osError, const QString &path)
{
    switch (osError) {
    case ENOENT:
        return FolderExists(path) ? ErrorNumber::FileNotFound : ErrorNumber::PathNotFound;
    case ENOTDIR:
    case ELOOP:
        return ErrorNumber::PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
        return ErrorNumber::PermissionDenied;
    case EMFILE:
    case ENFILE:
        return ErrorNumber::TooManyFiles;
    case EISDIR:
    case ENXIO:
    case EOPNOTSUPP:
        return ErrorNumber::PathFileAccessError;
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ:
        return ErrorNumber::BadFileName;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return ErrorNumber::DiskFull;
    case EBUSY:
    case ETXTBSY:
        return ErrorNumber::FileAlreadyOpen;
    case ENODEV:
    case ENOMEDIUM:
        return ErrorNumber::DiskNotReady;
    default:
        return ErrorNumber::DeviceIoError;
    }
}

std::int16_t ToErrorNumber16(int number)
{
    return static_cast<std::int16_t>(number & 0xFFFF);
}
