#include "files/loadfile.h"

#include "controls/msgbox.h"
#include "document/documentwindow.h"
#include "files/loadprogress.h"
#include "files/memorybudget.h"
#include "platform/errornumbers.h"
#include "platform/filenames.h"
#include "textarea/textarea.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
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

namespace {

// Reading goes in pieces of this size, so that a long read can show its progress.
constexpr qint64 ReadPiece = 4 * 1024 * 1024;
// What is read past the end of the buffer to see whether the file goes on.
constexpr qint64 Probe = 64 * 1024;

ssize_t ReadSome(int fd, char *into, qint64 most)
{
    ssize_t got;
    do
        got = ::read(fd, into, std::min(most, ReadPiece));
    while (got < 0 && errno == EINTR);
    return got;
}

// Reads to the end of the file. The size taken when the file was opened is only the first guess:
// files under /proc and /sys report none, or more than they hold, and a file may grow or shrink
// meanwhile. Once the guess is filled, a little more is read to see whether the end has come, and
// each time the buffer grows the budget is asked again, so that a file that keeps growing is
// refused once it passes what memory allows.
int ReadToEnd(int fd, qint64 sizeGuess, QByteArray &bytes, const QString &path,
              const ReadProgress &progress)
{
    bytes.resize(sizeGuess);
    qint64 done = 0;
    if (progress)
        progress(0, sizeGuess);
    while (true) {
        char beyond[Probe];
        const bool full = done == bytes.size();
        const ssize_t got = full ? ReadSome(fd, beyond, sizeof beyond)
                                 : ReadSome(fd, bytes.data() + done, bytes.size() - done);
        if (got < 0)
            return ErrorNumberForOsError(errno, path);
        if (got == 0)
            break;
        if (full) {
            // Half as much again, at most a read piece more, in whole probes.
            const qint64 grown =
                done + std::max(Probe, std::min(done / 2, ReadPiece) / Probe * Probe);
            if (!FileFitsInMemory(grown))
                return ErrorNumber::OutOfMemory;
            bytes.resize(grown);
            std::memcpy(bytes.data() + done, beyond, got);
        }
        done += got;
        if (progress)
            progress(done, std::max(done, sizeGuess));
    }
    if (done < bytes.size()) {
        bytes.truncate(done);
        bytes.squeeze();
    }
    return 0;
}

} // namespace

FileRead ReadWholeFile(const QString &path, const ReadProgress &progress)
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
    } else if (!FileFitsInMemory(status.st_size)) {
        result.errorNumber = ErrorNumber::OutOfMemory;
    } else {
        try {
            result.errorNumber = ReadToEnd(fd, status.st_size, result.bytes, path, progress);
        } catch (const std::bad_alloc &) {
            result.errorNumber = ErrorNumber::OutOfMemory;
        }
        if (result.errorNumber != 0)
            result.bytes = QByteArray();
    }
    ::close(fd);
    return result;
}

bool LoadFile(DocumentWindow &window, const QString &path)
{
    int errorNumber = 0;
    {
        LoadProgress progress(window.form, DisplayFileName(FileNamePart(path)));
        FileRead read =
            ReadWholeFile(path, [&](qint64 done, qint64 size) { progress.read(done, size); });
        errorNumber = read.errorNumber;
        if (errorNumber == 0) {
            progress.settingText(0, read.bytes.size());
            try {
                window.Text1.setBytes(std::move(read.bytes), [&](qint64 in, qint64 all) {
                    progress.settingText(in, all);
                });
            } catch (const std::bad_alloc &) {
                errorNumber = ErrorNumber::OutOfMemory;
            }
        }
    }
    if (errorNumber != 0) {
        const MessageRow row = LoadErrorTable(errorNumber);
        MsgBox(row.text, MsgBoxStyle::OkOnly + MsgBoxStyle::Exclamation, row.title);
        return false;
    }
    return true;
}
