#include "safewrite/filewriter.h"

#include "platform/errornumbers.h"
#include "support/scratchfolder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <algorithm>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

// Saves on real file systems, checked from outside: what the old file held, its other names,
// its access and attributes, and that nothing else is left in the folder.
namespace {

bool RunProgram(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

QStringList Entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// Every extended attribute with its value (the access control list among them) and the mode, in
// words that a failure shows readably.
std::vector<std::string> AccessOf(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    QByteArray names(4096, '\0');
    const ssize_t length = ::listxattr(name.constData(), names.data(), names.size());
    std::vector<std::string> access;
    for (const QByteArray &attribute : names.left(std::max<ssize_t>(length, 0)).split('\0')) {
        QByteArray value(4096, '\0');
        const ssize_t size =
            ::getxattr(name.constData(), attribute.constData(), value.data(), value.size());
        if (!attribute.isEmpty())
            access.push_back(
                (attribute + '=' + value.left(std::max<ssize_t>(size, 0)).toHex()).toStdString());
    }
    struct stat status = {};
    ::stat(name.constData(), &status);
    access.push_back(QByteArray::number(status.st_mode, 8).toStdString());
    std::sort(access.begin(), access.end());
    return access;
}

// A small ext2 file system: it cannot reserve room ahead of a write. The kernel mounts it on a
// loop device, or fuse2fs serves it, which makes no unnamed files.
class Ext2Disk
{
public:
    enum class Driver { Kernel, Fuse };

    explicit Ext2Disk(const ScratchFolder &scratch, Driver driver = Driver::Kernel)
        : image_(scratch.path(u"disk.img"_qs)), folder_(scratch.path(u"disk"_qs))
    {
        QDir().mkpath(folder_);
        QFile image(image_);
        mounted_ = image.open(QIODevice::WriteOnly) && image.resize(512 * 1024) &&
                   RunProgram(u"mkfs.ext2"_qs, {u"-q"_qs, image_}) &&
                   (driver == Driver::Kernel
                        ? RunProgram(u"mount"_qs, {u"-o"_qs, u"loop"_qs, image_, folder_})
                        : RunProgram(u"fuse2fs"_qs, {image_, folder_}));
    }
    ~Ext2Disk()
    {
        if (mounted_)
            RunProgram(u"umount"_qs, {folder_});
    }
    Ext2Disk(const Ext2Disk &) = delete;
    Ext2Disk &operator=(const Ext2Disk &) = delete;

    bool mounted() const { return mounted_; }
    QString path(const QString &name) const { return folder_ + u'/' + name; }
    QString folder() const { return folder_; }

    // Takes every block left, as root may, so that nothing can grow.
    void fill() const
    {
        QFile filler(path(u"filler"_qs));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return;
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size()) {
        }
        const QByteArray byte(1, 'f');
        while (filler.write(byte) == 1) {
        }
    }

private:
    QString image_;
    QString folder_;
    bool mounted_ = false;
};

} // namespace

TEST(SaveSafety, FullDiskWithoutRoomReservationKeepsEveryByteUnderEveryName)
{
    const ScratchFolder scratch;
    const Ext2Disk disk(scratch);
    if (!disk.mounted())
        GTEST_SKIP() << "no ext2 file system can be mounted on a loop device here";
    QByteArray old;
    for (int i = 0; old.size() < 7500; ++i)
        old += QByteArray::number(i) + ' ';
    const QString single = scratch.write(u"disk/FILE_ID.DIZ"_qs, old);
    const QString linked = scratch.write(u"disk/linked.diz"_qs, old);
    ASSERT_EQ(::link(QFile::encodeName(linked).constData(),
                     QFile::encodeName(disk.path(u"other name"_qs)).constData()),
              0);
    disk.fill();
    const QStringList before = Entries(disk.folder());

    for (const QString &path : {single, linked}) {
        EXPECT_EQ(WriteWholeFile(path, QByteArray(20000, 'n')), ErrorNumber::DiskFull)
            << path.toStdString();
        EXPECT_EQ(ScratchFolder::read(path), old) << path.toStdString();
    }
    EXPECT_EQ(ScratchFolder::read(disk.path(u"other name"_qs)), old);
    EXPECT_EQ(Entries(disk.folder()), before);

    // An edit that needs no more room saves, whether or not the file has other names.
    const QByteArray sameSize(old.size(), 's');
    for (const QString &path : {single, linked}) {
        EXPECT_EQ(WriteWholeFile(path, sameSize), 0) << path.toStdString();
        EXPECT_EQ(ScratchFolder::read(path), sameSize) << path.toStdString();
    }
    EXPECT_EQ(Entries(disk.folder()), before);

    // With room again, both kinds of file take the new content, every name of them.
    ASSERT_TRUE(QFile::remove(disk.path(u"filler"_qs)));
    for (const QString &path : {single, linked})
        EXPECT_EQ(WriteWholeFile(path, QByteArray(20000, 'n')), 0) << path.toStdString();
    EXPECT_EQ(ScratchFolder::read(disk.path(u"other name"_qs)), QByteArray(20000, 'n'));
    EXPECT_EQ(ScratchFolder::read(single), QByteArray(20000, 'n'));
}

TEST(SaveSafety, AccessListAndAttributesAreKeptAndNeverWidened)
{
    const ScratchFolder scratch;
    const QString withList = scratch.write(u"FILE_ID.DIZ"_qs, "old");
    const QString plain = scratch.write(u"plain.diz"_qs, "old");
    ASSERT_EQ(::chmod(QFile::encodeName(plain).constData(), 0640), 0);
    // The folder hands a list of its own to every new file; a saved file must not take it.
    if (!RunProgram(u"setfacl"_qs, {u"-m"_qs, u"u:nobody:rw-,g::r--,m::rw-"_qs, withList}) ||
        !RunProgram(u"setfacl"_qs, {u"-d"_qs, u"-m"_qs, u"u:nobody:rwx"_qs, scratch.root()}))
        GTEST_SKIP() << "setfacl is missing or the file system keeps no access lists";
    ASSERT_EQ(::setxattr(QFile::encodeName(withList).constData(), "user.origin", "archive", 7, 0),
              0);

    for (const QString &path : {withList, plain}) {
        const std::vector<std::string> before = AccessOf(path);
        EXPECT_EQ(WriteWholeFile(path, "new"), 0);
        EXPECT_EQ(ScratchFolder::read(path), QByteArray("new"));
        EXPECT_EQ(AccessOf(path), before) << path.toStdString();
    }
    EXPECT_EQ(Entries(scratch.root()), QStringList({u"FILE_ID.DIZ"_qs, u"plain.diz"_qs}));
}

TEST(SaveSafety, BindMountedFileIsWrittenInPlace)
{
    const ScratchFolder scratch;
    const QString source = scratch.write(u"source.diz"_qs, "old source");
    const QString mountPoint = scratch.write(u"FILE_ID.DIZ"_qs, "covered");
    if (::mount(QFile::encodeName(source).constData(), QFile::encodeName(mountPoint).constData(),
                nullptr, MS_BIND, nullptr) != 0)
        GTEST_SKIP() << "no bind mount can be made here";
    const int result = WriteWholeFile(mountPoint, "new");
    const QByteArray seen = ScratchFolder::read(source);
    ::umount(QFile::encodeName(mountPoint).constData());
    EXPECT_EQ(result, 0);
    EXPECT_EQ(seen, QByteArray("new"));
    EXPECT_EQ(Entries(scratch.root()), QStringList({u"FILE_ID.DIZ"_qs, u"source.diz"_qs}));
}

TEST(SaveSafety, FileSystemWithoutUnnamedFilesTakesANamedCopy)
{
    const ScratchFolder scratch;
    const Ext2Disk disk(scratch, Ext2Disk::Driver::Fuse);
    if (!disk.mounted())
        GTEST_SKIP() << "fuse2fs cannot mount a file system here";
    const int unnamed =
        ::open(QFile::encodeName(disk.folder()).constData(), O_TMPFILE | O_WRONLY, 0600);
    ASSERT_LT(unnamed, 0) << "this file system makes unnamed files, so it tests nothing here";
    const QString path = scratch.write(u"disk/FILE_ID.DIZ"_qs, "old");
    struct stat before = {}, after = {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &before), 0);

    EXPECT_EQ(WriteWholeFile(path, "new"), 0);
    EXPECT_EQ(ScratchFolder::read(path), QByteArray("new"));
    // Another file took the old one's place: the file was not written in place.
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &after), 0);
    EXPECT_NE(after.st_ino, before.st_ino);
    EXPECT_EQ(Entries(disk.folder()), QStringList({u"FILE_ID.DIZ"_qs}));
}
