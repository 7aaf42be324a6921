#include "files/loadfile.h"

#include "document/documentwindow.h"
#include "platform/errornumbers.h"
#include "platform/filenames.h"
#include "platform/msgbox.h"
#include "platform/textarea.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

MessageRow LoadErrorTable(int errorNumber)
{
    switch (errorNumber) {
    case ErrorNumber::FileNotFound:
        return {u"File not Found"_qs, u"The file specified was not found."_qs};
    case ErrorNumber::FileAlreadyOpen:
        return {u"File Problem"_qs, u"The file is already open someplace else."_qs};
    case ErrorNumber::TooManyFiles:
        return {u"Too Many Files"_qs,
                u"Too many files are open at the same time, please close some before retrying."_qs};
    case ErrorNumber::PermissionDenied:
        return {u"Permission denied"_qs, u"Permission was denied to open this file."_qs};
    case ErrorNumber::DiskNotReady:
        return {u"Disk not Ready"_qs, u"The disk is not ready yet."_qs};
    case ErrorNumber::PathFileAccessError:
        return {u"Path\\File Access Problem"_qs,
                u"There was a problem accessing the path or file."_qs};
    case ErrorNumber::PathNotFound:
        return {u"Path not Found"_qs, u"The path specified was not found."_qs};
    default:
        return {u"File Problem"_qs,
                u"The file could not be opened for some reason: Error Number: "_qs +
                    QString::number(ToErrorNumber16(errorNumber))};
    }
}

FileRead ReadWholeFile(const QString &path)
{
    const QByteArray name = EncodeFileName(path);
    // Non-blocking, so that opening a FIFO without a writer returns at once; it is refused below.
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return {{}, ErrorNumberForOsError(errno, path)};

    FileRead result;
    struct stat status
    {
    };
    if (::fstat(fd, &status) != 0) {
        result.errorNumber = ErrorNumberForOsError(errno, path);
    } else if (!S_ISREG(status.st_mode)) {
        result.errorNumber = ErrorNumber::PathFileAccessError;
    } else {
        // The length is taken when the file is opened; a file that shrinks meanwhile is an error.
        result.bytes.resize(status.st_size);
        qint64 done = 0;
        while (done < status.st_size) {
            const ssize_t got = ::read(fd, result.bytes.data() + done, status.st_size - done);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0) {
                result.errorNumber =
                    got == 0 ? ErrorNumber::InputPastEndOfFile : ErrorNumberForOsError(errno, path);
                result.bytes.clear();
                break;
            }
            done += got;
        }
    }
    ::close(fd);
    return result;
}

bool LoadFile(DocumentWindow &window, const QString &path)
{
    const FileRead read = ReadWholeFile(path);
    if (read.errorNumber != 0) {
        const MessageRow row = LoadErrorTable(read.errorNumber);
        MsgBox(row.text, MsgBoxStyle::OkOnly + MsgBoxStyle::Exclamation, row.title);
        return false;
    }
    window.Text1.setBytes(read.bytes);
    return true;
}
