#include "filedialog/places.h"
#include "platform/filenames.h"

#include <gtest/gtest.h>

// Mount points as the kernel writes them: a space as "\040", other bytes as they are.
TEST(MountedDrives, TakesTheMountPointsUnderMediaWholeAndOnce)
{
    const QByteArray mountInfo = "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
                                 "40 22 8:17 / /media/u/USB\\040KEY rw - vfat /dev/sdb1 rw\n"
                                 "41 22 8:33 / /run/media/u/caf\xe9 rw - ext4 /dev/sdc1 rw\n"
                                 "42 22 8:17 / /media/u/USB\\040KEY rw - vfat /dev/sdb1 rw\n"
                                 "43 22 0:5 / /mnt/media/x rw - tmpfs tmpfs rw\n";
    const QStringList drives = MountedDrives(mountInfo);
    ASSERT_EQ(drives.size(), 2);
    EXPECT_EQ(drives.at(0), u"/media/u/USB KEY"_qs);
    EXPECT_EQ(EncodeFileName(drives.at(1)), QByteArray("/run/media/u/caf\xe9"));
}
