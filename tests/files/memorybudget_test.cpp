#include "files/memorybudget.h"

#include "support/childprocess.h"
#include "support/scratchfolder.h"

#include <QDir>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <sys/mount.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr qint64 MiB = 1 << 20;

bool Write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

// Random groups and parents in both versions, each with or without a limit and a use, against the
// least room of them all.
TEST(ControlGroupRoom, IsTheLeastRoomOfTheGroupAndEveryParent)
{
    std::mt19937_64 random(16);
    for (int round = 0; round < 150; ++round) {
        ScratchFolder root;
        qint64 expected = std::numeric_limits<qint64>::max();
        QByteArray membership = "9:pids:/elsewhere\n";
        for (const bool v1 : {true, false}) {
            QByteArray path;
            for (int depth = int(random() % 5); depth > 0; --depth)
                path += "/g" + QByteArray::number(int(random() % 3));
            path = path.isEmpty() ? "/" : path;
            membership += (v1 ? random() % 2 ? "4:memory:" : "4:cpu,memory:" : "0::") + path + '\n';
            const QString hierarchy = v1             ? root.path(u"memory"_qs)
                                      : random() % 2 ? root.root()
                                                     : root.path(u"unified"_qs);
            while (true) {
                const QString dir = hierarchy + QString::fromUtf8(path);
                QDir().mkpath(dir);
                const qint64 limit = qint64(random() % 65536 + 1) * MiB;
                const qint64 used = qint64(random() % (2 * limit));
                // 0: no files, 1: no limit, 2: a limit without a use, 3: a limit and a use.
                const int kind = int(random() % 4);
                const QByteArray none = v1 ? "9223372036854771712\n" : "max\n";
                if (kind > 0)
                    Write(dir + (v1 ? u"/memory.limit_in_bytes"_qs : u"/memory.max"_qs),
                          kind == 1 ? none : QByteArray::number(limit) + '\n');
                if (kind != 2)
                    Write(dir + (v1 ? u"/memory.usage_in_bytes"_qs : u"/memory.current"_qs),
                          QByteArray::number(used) + '\n');
                if (kind > 1)
                    expected = std::min(expected, kind == 2 ? limit : std::max(0LL, limit - used));
                if (path == "/")
                    break;
                path.truncate(std::max<qsizetype>(path.lastIndexOf('/'), 1));
            }
        }
        EXPECT_EQ(ControlGroupRoom(root.root(), root.write(u"cgroup"_qs, membership)), expected)
            << membership.data();
    }
}

// A child in a real version 1 group under a limited parent: the room is the parent's limit less
// what the child and the rest of the parent use, and the budget follows it.
TEST(ControlGroupRoom, SeesTheLimitOfARealVersionOneParent)
{
    ScratchFolder root;
    const QString hierarchy = root.path(u"memory"_qs);
    QDir().mkpath(hierarchy);
    if (::mount("none", QFile::encodeName(hierarchy).constData(), "cgroup", 0, "memory") != 0)
        GTEST_SKIP() << "no version 1 memory hierarchy can be mounted here ("
                     << std::strerror(errno) << "): version 2 holds the controller";
    const QString parentPath = u"/vellum-test-"_qs + QString::number(::getpid());
    const QString parent = hierarchy + parentPath;
    const qint64 limit = 512 * MiB;
    QDir().mkpath(parent + u"/group"_qs);
    Write(parent + u"/memory.limit_in_bytes"_qs, QByteArray::number(limit));
    const ChildOutcome child = RunInChild([&](int output) {
        if (!Write(parent + u"/group/cgroup.procs"_qs, QByteArray::number(::getpid())))
            return 1;
        const std::vector<char> taken(96 * MiB, 1);
        const qint64 room = ControlGroupRoom(root.root(), u"/proc/self/cgroup"_qs);
        QFile usage(parent + u"/memory.usage_in_bytes"_qs);
        const qint64 used = usage.open(QIODevice::ReadOnly) ? usage.readAll().toLongLong() : 0;
        // The budget reads the system's own mount, which shows the same hierarchy if it has one.
        const qint64 file = room / LoadCostPerFileByte;
        const bool budget = !QDir(u"/sys/fs/cgroup/memory"_qs + parentPath).exists() ||
                            (FileFitsInMemory(file - MiB) && !FileFitsInMemory(file + MiB));
        WriteToParent(output, QByteArray::number(limit - used - room) + ' ' +
                                  QByteArray::number(used >= qint64(taken.size()) && budget));
        return 0;
    });
    QDir().rmdir(parent + u"/group"_qs);
    QDir().rmdir(parent);
    ::umount(QFile::encodeName(hierarchy).constData());
    ASSERT_EQ(child.exitCode, 0) << "the child could not join the group";
    // What the kernel charges moves a little between the two reads.
    EXPECT_LT(std::abs(child.output.split(' ').value(0).toLongLong()), 2 * MiB)
        << child.output.data();
    EXPECT_EQ(child.output.split(' ').value(1).toInt(), 1) << "the use or the budget is wrong";
}
