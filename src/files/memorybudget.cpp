#include "files/memorybudget.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <algorithm>
#include <limits>
#include <sys/resource.h>

namespace {

constexpr qint64 Unlimited = std::numeric_limits<qint64>::max();

// Version 1 shows "no limit" as the largest page count in bytes, just short of 2^63; no real
// limit comes anywhere near this.
constexpr qint64 NoLimitAbove = qint64(1) << 62;

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

// A number file of a group: a count of bytes, or none ("max", no file, a value meaning none).
qint64 NumberOrUnlimited(const QString &path)
{
    bool ok = false;
    const qint64 value = ReadSmallFile(path).trimmed().toLongLong(&ok);
    return ok && value < NoLimitAbove ? value : Unlimited;
}

// The room one group leaves: its limit less what it and the groups below it use.
qint64 GroupRoom(const QString &folder, const QString &limitFile, const QString &usageFile)
{
    const qint64 limit = NumberOrUnlimited(folder + limitFile);
    if (limit == Unlimited)
        return Unlimited;
    const qint64 used = NumberOrUnlimited(folder + usageFile);
    return used == Unlimited ? limit : std::max<qint64>(0, limit - used);
}

// The least room of the group at path under the hierarchy's folder and of each of its parents.
qint64 RoomUpToTheRoot(const QString &hierarchy, QByteArray path, const QString &limitFile,
                       const QString &usageFile)
{
    qint64 room = Unlimited;
    while (true) {
        const QString folder = hierarchy + QFile::decodeName(path);
        room = std::min(room, GroupRoom(folder, limitFile, usageFile));
        const qsizetype slash = path.lastIndexOf('/');
        if (slash < 0 || path == "/")
            return room;
        path.truncate(std::max<qsizetype>(slash, 1));
    }
}

} // namespace

qint64 ControlGroupRoom(const QString &root, const QString &membership)
{
    qint64 room = Unlimited;
    // Each line is "number:controllers:path"; version 2 has no controllers and the number 0.
    for (const QByteArray &line : ReadSmallFile(membership).split('\n')) {
        const QList<QByteArray> fields = line.split(':');
        if (fields.size() < 3)
            continue;
        const QByteArray path = line.mid(fields[0].size() + fields[1].size() + 2);
        if (fields[0] == "0" && fields[1].isEmpty()) {
            for (const QString &hierarchy : {root, root + u"/unified"_qs})
                room = std::min(room, RoomUpToTheRoot(hierarchy, path, u"/memory.max"_qs,
                                                      u"/memory.current"_qs));
        } else if (fields[1].split(',').contains("memory")) {
            room = std::min(room, RoomUpToTheRoot(root + u"/memory"_qs, path,
                                                  u"/memory.limit_in_bytes"_qs,
                                                  u"/memory.usage_in_bytes"_qs));
        }
    }
    return room;
}

// The memory this program can still take is the least of what the system reports as available,
// what the address-space limit leaves and what the control groups' memory limits leave.
bool FileFitsInMemory(qint64 fileSize)
{
    const qint64 system = KibibyteField(ReadSmallFile(u"/proc/meminfo"_qs), "MemAvailable");
    const qint64 available =
        std::min({system, AddressSpaceLeft(),
                  ControlGroupRoom(u"/sys/fs/cgroup"_qs, u"/proc/self/cgroup"_qs)});
    return fileSize <= available / LoadCostPerFileByte;
}
