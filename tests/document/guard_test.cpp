#include "document/guard.h"

#include "controls/msgbox.h"
#include "document/caption.h"
#include "document/gauge.h"
#include "platform/process.h"
#include "support/scratchfolder.h"
#include "support/scripteddialog.h"
#include "support/scriptedmsgbox.h"
#include "support/testwindow.h"

#include <gtest/gtest.h>

namespace {

enum class Operation { Close, Exit, New };
enum class Answer { NotAsked, Yes, No, Cancel };
enum class Save { None, Succeeds, Fails };

struct Row
{
    Operation operation;
    Answer answer;
    Save save;
    bool goesAhead; // the program ends (Close, Exit) or the document is reset (New)
};

std::string NameOf(const ::testing::TestParamInfo<Row> &info)
{
    const Row &row = info.param;
    const char *operations[] = {"Close", "Exit", "New"};
    const char *answers[] = {"Unchanged", "Yes", "No", "Cancel"};
    const char *saves[] = {"", "Saved", "SaveFailed"};
    return std::string(operations[int(row.operation)]) + answers[int(row.answer)] +
           saves[int(row.save)];
}

// Counts the endings of the program instead of ending it.
class EndingCounter
{
public:
    EndingCounter() : previous_(SetEndProgramHandler([this] { ++count; })) {}
    ~EndingCounter() { SetEndProgramHandler(std::move(previous_)); }
    int count = 0;

private:
    EndProgramHandler previous_;
};

class GuardTable : public ::testing::TestWithParam<Row>
{
protected:
    // Runs the operation and tells whether it went ahead.
    bool Run(Operation operation)
    {
        switch (operation) {
        case Operation::Close: {
            Flag cancel = FlagFalse;
            Form_QueryUnload(test.window, cancel, 0);
            return !cancel;
        }
        case Operation::Exit:
            mnuexit_Click(test.window);
            return endings.count == 1;
        case Operation::New:
            NewDocument(test.window);
            return test.state().FilePath == u"Untitled"_qs;
        }
        return false;
    }

    ScratchFolder folder;
    TestWindow test;
    ScriptedMsgBox boxes;
    ScriptedDialog dialogs;
    EndingCounter endings;
};

TEST_P(GuardTable, AnswerAndSaveResultDecide)
{
    const Row row = GetParam();
    const QString file = folder.write(u"a.diz"_qs, "as loaded");
    const QString path = row.save == Save::Fails ? folder.path(u"gone/a.diz"_qs) : file;
    test.text1.setBytes("edited");
    test.state() = {path, ToFlag(row.answer != Answer::NotAsked), FlagTrue, u"a.diz"_qs};
    test.form.setWindowTitle(u"stale"_qs);
    const int answers[] = {0, MsgBoxAnswer::Yes, MsgBoxAnswer::No, MsgBoxAnswer::Cancel};
    boxes.answer(answers[int(row.answer)]);

    EXPECT_EQ(Run(row.operation), row.goesAhead);

    const qsizetype expectedBoxes =
        row.answer == Answer::NotAsked ? 0 : (row.save == Save::Fails ? 2 : 1);
    ASSERT_EQ(boxes.shown().size(), expectedBoxes);
    if (row.answer != Answer::NotAsked) {
        EXPECT_EQ(boxes.shown().first().title, u"File Changed"_qs);
        EXPECT_EQ(boxes.shown().first().text,
                  u"The open file was changed, do you to save the changes?"_qs);
        EXPECT_EQ(boxes.shown().first().style, 51);
    }
    if (row.save == Save::Fails) {
        EXPECT_EQ(boxes.shown().at(1).title, u"Problems"_qs);
        EXPECT_TRUE(boxes.shown().at(1).text.endsWith(u"Error Code: 76"_qs));
    }
    EXPECT_EQ(ScratchFolder::read(file),
              QByteArray(row.save == Save::Succeeds ? "edited" : "as loaded"));
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_EQ(endings.count, row.operation == Operation::Exit && row.goesAhead ? 1 : 0);

    if (row.operation == Operation::New) {
        // The caption is set again whether or not the document was reset.
        EXPECT_EQ(test.form.windowTitle(), CaptionFor(test.state().DisplayName));
    }
    if (row.operation == Operation::New && row.goesAhead) {
        EXPECT_TRUE(test.text1.bytes().isEmpty());
        EXPECT_EQ(test.gauge(), GaugeText(0));
        EXPECT_EQ(test.state().HasPath, FlagFalse);
        EXPECT_EQ(test.state().Changed, FlagFalse);
        EXPECT_EQ(test.state().DisplayName, u"Untitled"_qs);
        EXPECT_EQ(test.form.windowTitle(), u"Untitled - Vellum"_qs);
    } else {
        // A save from the question leaves the changed mark to the caller, and nothing else
        // touches the document.
        EXPECT_EQ(test.text1.bytes(), QByteArray("edited"));
        EXPECT_EQ(test.state().FilePath, path);
        EXPECT_EQ(test.state().Changed, ToFlag(row.answer != Answer::NotAsked));
    }
}

INSTANTIATE_TEST_SUITE_P(EveryRow, GuardTable,
                         ::testing::Values(Row{Operation::Close, Answer::NotAsked, Save::None,
                                               true},
                                           Row{Operation::Close, Answer::Yes, Save::Succeeds, true},
                                           Row{Operation::Close, Answer::Yes, Save::Fails, false},
                                           Row{Operation::Close, Answer::No, Save::None, true},
                                           Row{Operation::Close, Answer::Cancel, Save::None, false},
                                           Row{Operation::Exit, Answer::NotAsked, Save::None, true},
                                           Row{Operation::Exit, Answer::Yes, Save::Succeeds, true},
                                           Row{Operation::Exit, Answer::Yes, Save::Fails, false},
                                           Row{Operation::Exit, Answer::No, Save::None, true},
                                           Row{Operation::Exit, Answer::Cancel, Save::None, false},
                                           Row{Operation::New, Answer::NotAsked, Save::None, true},
                                           Row{Operation::New, Answer::Yes, Save::Succeeds, true},
                                           Row{Operation::New, Answer::Yes, Save::Fails, false},
                                           Row{Operation::New, Answer::No, Save::None, true},
                                           Row{Operation::New, Answer::Cancel, Save::None, false}),
                         NameOf);

TEST(Guard, ExitOnAnUntitledDocumentWhoseSaveIsCancelledKeepsRunning)
{
    TestWindow test;
    test.text1.setBytes("edited");
    test.state() = {u"Untitled"_qs, FlagTrue, FlagFalse, u"Untitled"_qs};
    ScriptedMsgBox boxes;
    boxes.answer(MsgBoxAnswer::Yes);
    ScriptedDialog dialogs;
    dialogs.cancel();
    EndingCounter endings;

    mnuexit_Click(test.window);
    EXPECT_EQ(endings.count, 0);
    EXPECT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(test.state().Changed, FlagTrue);
    EXPECT_EQ(test.text1.bytes(), QByteArray("edited"));
}

TEST(Guard, NewOnAnUntitledDocumentSavedUnderAName)
{
    ScratchFolder folder;
    TestWindow test;
    test.text1.setBytes("edited");
    test.state() = {u"Untitled"_qs, FlagTrue, FlagFalse, u"Untitled"_qs};
    ScriptedMsgBox boxes;
    boxes.answer(MsgBoxAnswer::Yes);
    ScriptedDialog dialogs;
    dialogs.choose(folder.path(u"FILE_ID.DIZ"_qs));

    NewDocument(test.window);
    EXPECT_EQ(ScratchFolder::read(folder.path(u"FILE_ID.DIZ"_qs)), QByteArray("edited"));
    EXPECT_TRUE(test.text1.bytes().isEmpty());
    EXPECT_EQ(test.state().FilePath, u"Untitled"_qs);
    EXPECT_EQ(test.form.windowTitle(), u"Untitled - Vellum"_qs);
}

TEST(Guard, NewCancelledAfterAFailedStartUpShowsTheBareProductName)
{
    TestWindow test;
    test.form.setWindowTitle(InitialCaption());
    test.text1.setBytes("typed");
    ScriptedMsgBox boxes;
    boxes.answer(MsgBoxAnswer::Cancel);
    NewDocument(test.window);
    EXPECT_EQ(test.form.windowTitle(), u" - Vellum"_qs);
    EXPECT_EQ(test.text1.bytes(), QByteArray("typed"));
    EXPECT_EQ(test.state().Changed, FlagTrue);
}

} // namespace
