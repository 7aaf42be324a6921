// GIO comes before Qt: one of its structures has a member that Qt's "signals" keyword would hide.
#include <gio/gio.h>

#include "launch/module1.h"
#include "platform/shell.h"

#include <gtest/gtest.h>

namespace {

TEST(LaunchErrorTables, EveryRowOfATableHasItsTitle)
{
    EXPECT_EQ(LaunchURLErrorTable.title, u"Address Access Error"_qs);
    EXPECT_EQ(LaunchFileErrorTable.title, u"File Access Error"_qs);
    const QList<std::int32_t> keyed{2, 3, 5, 8, 26, 27, 28, 29, 30, 31, 32};
    EXPECT_EQ(LaunchURLErrorTable.sentences.keys(), keyed);
    EXPECT_EQ(LaunchFileErrorTable.sentences.keys(), keyed);
}

TEST(LaunchErrorTables, AddressRowsReadAsWritten)
{
    const LaunchErrorTable &table = LaunchURLErrorTable;
    EXPECT_EQ(table.sentenceFor(2), u"The Address was not Found."_qs);
    EXPECT_EQ(table.sentenceFor(5), u"URL Access Failed: Access was denied to the Address."_qs);
    EXPECT_EQ(table.sentenceFor(31),
              u"URL Access Failed: There was no program associated to this Address. To view this "
              u"Internet address a associated Internet browser is needed."_qs);
    EXPECT_EQ(table.sentenceFor(32),
              u"URL Access Failed: A needed program extension was not found."_qs);
    EXPECT_EQ(table.sentenceFor(28),
              u"URL Access Failed: DDE operation to associated program was Timed out."_qs);
}

TEST(LaunchErrorTables, FileRowsReadAsWritten)
{
    const LaunchErrorTable &table = LaunchFileErrorTable;
    EXPECT_EQ(table.sentenceFor(2), u"The File was not Found."_qs);
    EXPECT_EQ(table.sentenceFor(5), u"File Access Failed: Access was denied to the File."_qs);
    EXPECT_EQ(table.sentenceFor(26), u"File Access Failed: There was a file sharing violation."_qs);
    EXPECT_EQ(table.sentenceFor(31),
              u"File Access Failed: There was no program associated to this file."_qs);
    EXPECT_EQ(table.sentenceFor(32),
              u"File Access Failed: A needed program extension was not found."_qs);
}

TEST(LaunchErrorTables, BothTablesShareThePathAndMemorySentences)
{
    for (const std::int32_t code : {3, 8})
        EXPECT_EQ(LaunchURLErrorTable.sentenceFor(code), LaunchFileErrorTable.sentenceFor(code));
    EXPECT_EQ(LaunchURLErrorTable.sentenceFor(3), u"The Path was not Found."_qs);
    EXPECT_EQ(LaunchFileErrorTable.sentenceFor(8),
              u"There was no more Memory or resources. Free up some memory by closing some "
              u"Programs."_qs);
}

TEST(LaunchErrorTables, CodesWithoutARowAreWrittenAfterTheUnknownErrorText)
{
    EXPECT_EQ(LaunchURLErrorTable.sentenceFor(0),
              u"URL Access Failed: Unknown Error - Error Code is 0"_qs);
    EXPECT_EQ(LaunchURLErrorTable.sentenceFor(11),
              u"URL Access Failed: Unknown Error - Error Code is 11"_qs);
    EXPECT_EQ(LaunchFileErrorTable.sentenceFor(0),
              u"File Access Failed: Unknown Error - Error Code is 0"_qs);
    EXPECT_EQ(LaunchFileErrorTable.sentenceFor(11),
              u"File Access Failed: Unknown Error - Error Code is 11"_qs);
    EXPECT_EQ(LaunchFileErrorTable.sentenceFor(-7),
              u"File Access Failed: Unknown Error - Error Code is -7"_qs);
    EXPECT_EQ(LaunchURLErrorTable.sentenceFor(4),
              u"URL Access Failed: Unknown Error - Error Code is 4"_qs);
}

ShellResult CodeFor(GQuark domain, int code,
                    ShellResult (*map)(const GError *) = ShellResultForError)
{
    GError *error = g_error_new_literal(domain, code, "test");
    const ShellResult result = map(error);
    g_error_free(error);
    return result;
}

TEST(ShellResultForError, DesktopFailuresBecomeTheCodesTheTablesKnow)
{
    EXPECT_EQ(CodeFor(G_IO_ERROR, G_IO_ERROR_NOT_FOUND), 2);
    EXPECT_EQ(CodeFor(G_IO_ERROR, G_IO_ERROR_NOT_DIRECTORY), 3);
    EXPECT_EQ(CodeFor(G_IO_ERROR, G_IO_ERROR_PERMISSION_DENIED), 5);
    EXPECT_EQ(CodeFor(G_IO_ERROR, G_IO_ERROR_NOT_SUPPORTED), 31);
    EXPECT_EQ(CodeFor(G_IO_ERROR, G_IO_ERROR_FAILED), 0);
    EXPECT_EQ(CodeFor(G_FILE_ERROR, G_FILE_ERROR_NOENT), 0);
    EXPECT_EQ(ShellResultForError(nullptr), 0);
}

// Only a want of memory or processes keeps the code 0 once the program has been named.
TEST(ShellResultForLaunchError, AProgramThatCannotStartIsAnIncompleteAssociation)
{
    EXPECT_EQ(CodeFor(G_SPAWN_ERROR, G_SPAWN_ERROR_NOENT, ShellResultForLaunchError), 27);
    EXPECT_EQ(CodeFor(G_SPAWN_ERROR, G_SPAWN_ERROR_NOEXEC, ShellResultForLaunchError), 27);
    EXPECT_EQ(CodeFor(G_IO_ERROR, G_IO_ERROR_FAILED, ShellResultForLaunchError), 27);
    EXPECT_EQ(CodeFor(G_SPAWN_ERROR, G_SPAWN_ERROR_FORK, ShellResultForLaunchError), 0);
    EXPECT_EQ(CodeFor(G_SPAWN_ERROR, G_SPAWN_ERROR_NOMEM, ShellResultForLaunchError), 0);
}

} // namespace
