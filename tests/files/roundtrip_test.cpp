#include "files/loadfile.h"
#include "files/savefile.h"

#include "support/scratchfolder.h"
#include "support/scriptedmsgbox.h"
#include "support/testwindow.h"

#include <gtest/gtest.h>
#include <random>

namespace {

// Loads the file, saves it back where it came from, and returns what is then on disk.
QByteArray LoadAndSaveBack(TestWindow &test, const QString &path)
{
    ScriptedMsgBox boxes;
    EXPECT_TRUE(LoadFile(test.window, path));
    test.state() = {path, FlagFalse, FlagTrue, u"FILE_ID.DIZ"_qs};
    EXPECT_TRUE(SaveFile(test.window));
    EXPECT_TRUE(boxes.shown().isEmpty());
    return ScratchFolder::read(path);
}

} // namespace

TEST(RoundTrip, EveryByteValueAndEveryBreakFormComeBackFromDisk)
{
    QByteArray bytes;
    for (int byte = 0; byte < 256; ++byte)
        bytes.append(static_cast<char>(byte));
    bytes += "a\r\nb\nc\rd\n\r\r\n\r\r\n\n";
    ScratchFolder folder;
    const QString path = folder.write(u"FILE_ID.DIZ"_qs, bytes);
    TestWindow test;
    EXPECT_EQ(LoadAndSaveBack(test, path), bytes);
    EXPECT_TRUE(test.gauge().startsWith(QString::number(bytes.size()) + u' '));
}

TEST(RoundTrip, RandomFilesComeBackFromDiskByteForByte)
{
    std::mt19937 random(4680);
    std::uniform_int_distribution<int> length(0, 600), kind(0, 4), any(0, 255);
    ScratchFolder folder;
    const QString path = folder.path(u"FILE_ID.DIZ"_qs);
    TestWindow test;
    for (int file = 0; file < 2000; ++file) {
        QByteArray bytes;
        for (int i = length(random); i > 0; --i) {
            const int k = kind(random);
            bytes.append(k == 0 ? '\r' : k == 1 ? '\n' : static_cast<char>(any(random)));
        }
        folder.write(u"FILE_ID.DIZ"_qs, bytes);
        ASSERT_EQ(LoadAndSaveBack(test, path), bytes) << "file " << file;
    }
}
