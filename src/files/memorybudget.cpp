#include "files/memorybudget.h"

#include <QByteArray>
#include <QFile>
#include <algorithm>
#include <limits>
#include <sys/resource.h>

namespace {

constexpr qint64 Unlimited = std::numeric_limits<qint64>::max();

QByteArray ReadSmallFile(const QString &path)
{
    QFile file(path);
    // Files under /proc and /sys report no size: read them to their end.
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The value of a "Name:   1234 kB" line of /proc/meminfo or /proc/self/status, in bytes.
qint64 KibibyteField(const QByteArray &text, const QByteArray &name)
{
    for (const QByteArray &line : text.split('\n')) {
        if (line.startsWith(name + ':')) {
            bool ok = false;
            const qint64 kib =
                line.mid(name.size() + 1).trimmed().split(' ').value(0).toLongLong(&ok);
            return ok ? kib * 1024 : Unlimited;
        }
    }
    return Unlimited;
}

qint64 AddressSpaceLeft()
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return Unlimited;
    const qint64 used = KibibyteField(ReadSmallFile(u"/proc/self/status"_qs), "VmSize");
    if (used == Unlimited)
        return Unlimited;
    return std::max<qint64>(0, qint64(limit.rlim_cur) - used);
}

qint64 NumberOrUnlimited(const QByteArray &text)
{
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    return ok ? value : Unlimited;
}

// The control group's limit less its use: version 2 names the group on the line "0::/path".
qint64 ControlGroupLeft()
{
    for (const QByteArray &line : ReadSmallFile(u"/proc/self/cgroup"_qs).split('\n')) {
        if (!line.startsWith("0::"))
            continue;
        const QString folder = u"/sys/fs/cgroup"_qs + QString::fromUtf8(line.mid(3));
        const qint64 limit = NumberOrUnlimited(ReadSmallFile(folder + u"/memory.max"_qs));
        if (limit == Unlimited)
            return Unlimited;
        const qint64 used = NumberOrUnlimited(ReadSmallFile(folder + u"/memory.current"_qs));
        return used == Unlimited ? limit : std::max<qint64>(0, limit - used);
    }
    return Unlimited;
}

// The memory this program can still take: the least of what the system reports as available,
// what the address-space limit leaves and what the control group's memory limit leaves.
qint64 AvailableMemory()
{
    const qint64 system = KibibyteField(ReadSmallFile(u"/proc/meminfo"_qs), "MemAvailable");
    return std::min({system, AddressSpaceLeft(), ControlGroupLeft()});
}

} // namespace

bool FileFitsInMemory(qint64 fileSize)
{
    return fileSize <= AvailableMemory() / LoadCostPerFileByte;
}
