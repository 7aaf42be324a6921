#include "safewrite/replacementfile.h"

#include "safewrite/rawwrite.h"

#include <QRandomGenerator>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace {

// A short name of our own, so that even the longest file name leaves room for it.
constexpr char NamePrefix[] = "/.vellum-";
constexpr char NameLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr int NameLength = 6;
// Names taken by other files are passed over; this many in a row means something else is wrong.
constexpr int NameTries = 100;

QByteArray RandomName(const QByteArray &folder)
{
    QByteArray name = folder + NamePrefix;
    for (int i = 0; i < NameLength; ++i)
        name += NameLetters[QRandomGenerator::global()->bounded(int(sizeof NameLetters) - 1)];
    return name;
}

} // namespace

ReplacementFile::ReplacementFile(const QByteArray &folder, Kind kind) : folder_(folder)
{
    if (kind == Kind::Unnamed) {
        fd_ = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        // Whatever refused it (above all a file system or kernel without unnamed files), a named
        // file either works or fails for a reason of its own.
        if (fd_ < 0)
            error_ = NoUnnamedFile;
        return;
    }
    name_ = folder + NamePrefix + QByteArray(NameLength, 'X');
    fd_ = ::mkostemp(name_.data(), O_CLOEXEC);
    if (fd_ < 0) {
        error_ = errno;
        name_.clear();
    }
}

ReplacementFile::~ReplacementFile()
{
    if (fd_ >= 0)
        ::close(fd_);
    if (!placed_ && !name_.isEmpty())
        ::unlink(name_.constData());
}

int ReplacementFile::GiveName()
{
    for (int attempt = 0; attempt < NameTries; ++attempt) {
        const QByteArray name = RandomName(folder_);
        const int error = LinkUnnamedFile(fd_, name);
        if (error == 0) {
            name_ = name;
            return 0;
        }
        if (error == ENOSPC || error == EDQUOT)
            return error;
        if (error != EEXIST)
            return NoUnnamedFile;
    }
    return EEXIST;
}

int ReplacementFile::TakePlaceOf(const QByteArray &target)
{
    // Only the moment from here to the rename can leave the name behind.
    if (name_.isEmpty()) {
        if (const int error = GiveName())
            return error;
    }
    const int error = CloseChecked(fd_, 0);
    fd_ = -1;
    if (error != 0)
        return error;
    if (::rename(name_.constData(), target.constData()) != 0)
        return errno;
    placed_ = true;
    return 0;
}
