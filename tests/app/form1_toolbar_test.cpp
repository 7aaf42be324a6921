#include "shownform.h"

#include "controls/toolbar.h"
#include "platform/clipboard.h"
#include "support/scripteddialog.h"
#include "support/scriptedmsgbox.h"
#include "textarea/textarea.h"

#include <QAction>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// Everything a command can be seen to do: the boxes and dialogs it showed and what it left.
struct Outcome
{
    QStringList boxes;
    QStringList dialogs;
    QByteArray text;
    qint64 selectionStart = 0;
    qint64 selectionLength = 0;
    Flag changed = FlagFalse;
    QString caption;
    QString clipboard;

    bool operator==(const Outcome &) const = default;
};

void PrintTo(const Outcome &outcome, std::ostream *out)
{
    *out << "boxes " << outcome.boxes.join(u" | "_qs).toStdString() << "; dialogs "
         << outcome.dialogs.join(u" | "_qs).toStdString() << "; text " << outcome.text.toStdString()
         << "; selection " << outcome.selectionStart << "+" << outcome.selectionLength
         << "; changed " << outcome.changed << "; caption " << outcome.caption.toStdString()
         << "; clipboard " << outcome.clipboard.toStdString();
}

// An untitled, edited document with a selection, every box answered Cancel and every dialog
// cancelled; then one command, started as the test says.
Outcome RunOnEditedDocument(const std::function<void(ShownForm &)> &start)
{
    ShownForm shown;
    ScriptedMsgBox boxes;
    ScriptedDialog dialogs;
    for (int i = 0; i < 3; ++i)
        boxes.answer(MsgBoxAnswer::Cancel);
    ClipboardSetText(u"from the clipboard"_qs);
    TextArea &text = *shown.text();
    QTest::keyClicks(&text, "first line");
    QTest::keyClick(&text, Qt::Key_Return);
    QTest::keyClicks(&text, "second");
    text.setSelStart(6);
    text.setSelLength(4);

    start(shown);

    Outcome outcome;
    for (const auto &box : boxes.shown())
        outcome.boxes << box.title + u'/' + box.text + u'/' + QString::number(box.style);
    for (const auto &dialog : dialogs.shown())
        outcome.dialogs << dialog.dialogTitle;
    outcome.text = text.bytes();
    outcome.selectionStart = text.selStart();
    outcome.selectionLength = text.selLength();
    outcome.changed = shown.form.documentWindow().documentState.Changed;
    outcome.caption = shown.form.windowTitle();
    outcome.clipboard = ClipboardGetText();
    return outcome;
}

struct ButtonAndItem
{
    const char *key;
    const char *item;
};

class ToolbarButton : public ::testing::TestWithParam<ButtonAndItem>
{
};

} // namespace

TEST_P(ToolbarButton, DoesExactlyWhatItsMenuItemDoes)
{
    const ButtonAndItem pair = GetParam();
    const Outcome byMenu = RunOnEditedDocument([&](ShownForm &shown) {
        QAction *item = shown.action(QString::fromLatin1(pair.item));
        ASSERT_NE(item, nullptr);
        item->trigger();
    });
    const Outcome byButton = RunOnEditedDocument([&](ShownForm &shown) {
        auto *toolbar = shown.form.findChild<Toolbar *>(u"Toolbar1"_qs);
        ASSERT_NE(toolbar, nullptr);
        QToolButton *button = toolbar->button(QString::fromLatin1(pair.key));
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
    });
    EXPECT_EQ(byButton, byMenu);

    // And the command did something a user can see, so the two are not alike by doing nothing.
    const Outcome untouched = RunOnEditedDocument([](ShownForm &) {});
    EXPECT_NE(byButton, untouched);
}

INSTANTIATE_TEST_SUITE_P(
    EveryButton, ToolbarButton,
    ::testing::Values(ButtonAndItem{"New", "mnunew"}, ButtonAndItem{"Open", "mnuopen"},
                      ButtonAndItem{"Save", "mnusave"}, ButtonAndItem{"Undo", "mnueditundo"},
                      ButtonAndItem{"Cut", "mnueditcmd(0)"}, ButtonAndItem{"Copy", "mnueditcmd(1)"},
                      ButtonAndItem{"Paste", "mnueditcmd(2)"},
                      ButtonAndItem{"Help", "mnuhelpcontent"}),
    [](const auto &info) { return std::string(info.param.key); });

TEST(Toolbar1, KeysThatAreNoButtonsDoNothing)
{
    const Outcome untouched = RunOnEditedDocument([](ShownForm &) {});
    for (const QString &key : {u"new"_qs, u"HELP"_qs, u"Save as"_qs, QString(), u"Delete"_qs}) {
        const Outcome outcome =
            RunOnEditedDocument([&](ShownForm &shown) { shown.form.Toolbar1_ButtonClick(key); });
        EXPECT_EQ(outcome, untouched) << key.toStdString();
    }
}
