#include "platform/errornumbers.h"

#include "support/scratchfolder.h"

#include <cerrno>
#include <gtest/gtest.h>

TEST(ErrorNumbers, MissingFileIsToldFromMissingFolder)
{
    ScratchFolder folder;
    EXPECT_EQ(ErrorNumberForOsError(ENOENT, folder.path(u"absent.diz"_qs)), 53);
    EXPECT_EQ(ErrorNumberForOsError(ENOENT, folder.path(u"absent/FILE_ID.DIZ"_qs)), 76);
    EXPECT_EQ(ErrorNumberForOsError(ENOTDIR, folder.path(u"file/FILE_ID.DIZ"_qs)), 76);
}

TEST(ErrorNumbers, OsErrorsMapOntoTheirMeanings)
{
    EXPECT_EQ(ErrorNumberForOsError(EACCES, u"/x"_qs), 70);
    EXPECT_EQ(ErrorNumberForOsError(EMFILE, u"/x"_qs), 67);
    EXPECT_EQ(ErrorNumberForOsError(EISDIR, u"/x"_qs), 75);
    EXPECT_EQ(ErrorNumberForOsError(ENAMETOOLONG, u"/x"_qs), 52);
    EXPECT_EQ(ErrorNumberForOsError(ENOSPC, u"/x"_qs), 61);
    EXPECT_EQ(ErrorNumberForOsError(EFBIG, u"/x"_qs), 61);
    EXPECT_EQ(ErrorNumberForOsError(EIO, u"/x"_qs), 57);
}

TEST(ErrorNumbers, SixteenBitValues)
{
    EXPECT_EQ(ToErrorNumber16(76), 76);
    EXPECT_EQ(ToErrorNumber16(32755), 32755);
    EXPECT_EQ(ToErrorNumber16(65535), -1);
    EXPECT_EQ(ToErrorNumber16(0x1234004C), 76);
}
