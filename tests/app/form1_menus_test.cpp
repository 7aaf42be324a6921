#include "shownform.h"

#include "textarea/textarea.h"

#include <QAction>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Item
{
    const char16_t *name;
    const char16_t *caption;
    QKeySequence shortcut;
};

struct Menu
{
    const char16_t *name;
    const char16_t *caption;
    QList<Item> items;
};

const QList<Menu> &ExpectedMenus()
{
    static const QList<Menu> menus = {
        {u"mnufile",
         u"&File",
         {{u"mnunew", u"&New", QKeySequence(u"Ctrl+N"_qs)},
          {u"mnuopen", u"&Open...", QKeySequence(u"Ctrl+O"_qs)},
          {u"mnusave", u"&Save", QKeySequence(u"Ctrl+S"_qs)},
          {u"mnusaveas", u"Save &as...", {}},
          {u"mnufilesep1", u"-", {}},
          {u"mnuexit", u"&Exit", {}}}},
        {u"mnuedit",
         u"&Edit",
         {{u"mnueditundo", u"&Undo", QKeySequence(u"Ctrl+Z"_qs)},
          {u"mnueditsep1", u"-", {}},
          {u"mnueditcmd(0)", u"Cu&t", QKeySequence(u"Ctrl+X"_qs)},
          {u"mnueditcmd(1)", u"&Copy", QKeySequence(u"Ctrl+C"_qs)},
          {u"mnueditcmd(2)", u"&Paste", QKeySequence(u"Ctrl+V"_qs)},
          {u"mnueditcmd(3)", u"&Delete", {}},
          {u"mnueditsep2", u"-", {}},
          {u"mnueditcmd2", u"&Select all", {}}}},
        {u"mnuhelp",
         u"&Help",
         {{u"mnuhelpcontent", u"&Content", QKeySequence(u"F1"_qs)},
          {u"mnuhelpreadme", u"Readme.txt", {}},
          {u"mnuhelpsep1", u"-", {}},
          {u"mnuhelpabout", u"&About...", {}}}},
    };
    return menus;
}

// Counts the key presses, other than of modifier keys alone, that reach a widget's own handling.
class KeyPressCounter : public QObject
{
public:
    int presses = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key != Qt::Key_Control && key != Qt::Key_Shift && key != Qt::Key_Alt)
                ++presses;
        }
        return false;
    }
};

} // namespace

TEST(Form1Menus, EveryMenuAndItemWithItsCaptionAndShortcut)
{
    Form1 form({});
    const QList<QAction *> menuActions = form.menuBar()->actions();
    ASSERT_EQ(menuActions.size(), ExpectedMenus().size());
    for (qsizetype m = 0; m < menuActions.size(); ++m) {
        const Menu &expected = ExpectedMenus().at(m);
        QMenu *menu = menuActions.at(m)->menu();
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->objectName(), QString::fromUtf16(expected.name));
        EXPECT_EQ(menu->title(), QString::fromUtf16(expected.caption));

        const QList<QAction *> items = menu->actions();
        ASSERT_EQ(items.size(), expected.items.size());
        for (qsizetype i = 0; i < items.size(); ++i) {
            const Item &item = expected.items.at(i);
            QAction *action = items.at(i);
            SCOPED_TRACE(QString::fromUtf16(item.name).toStdString());
            EXPECT_EQ(action->objectName(), QString::fromUtf16(item.name));
            if (QStringView(item.caption) == u"-") {
                EXPECT_TRUE(action->isSeparator());
                continue;
            }
            EXPECT_EQ(action->text(), QString::fromUtf16(item.caption));
            EXPECT_EQ(action->shortcut(), item.shortcut);
            EXPECT_EQ(action->shortcuts().size(), item.shortcut.isEmpty() ? 0 : 1);
            EXPECT_TRUE(action->isEnabled());
            EXPECT_TRUE(action->isVisible());
            EXPECT_FALSE(action->isCheckable());
            // A status tip would wipe the status bar's panels while the menu is open.
            EXPECT_TRUE(action->statusTip().isEmpty());
        }
    }
}

TEST(Form1Menus, ItemsRunTheirHandlers)
{
    Form1 form({});
    const auto connected = [&form](const QString &name, void (Form1::*handler)()) {
        auto *action = form.findChild<QAction *>(name);
        return action && QObject::disconnect(action, &QAction::triggered, &form, handler);
    };
    EXPECT_TRUE(connected(u"mnunew"_qs, &Form1::mnunew_Click));
    EXPECT_TRUE(connected(u"mnuopen"_qs, &Form1::mnuopen_Click));
    EXPECT_TRUE(connected(u"mnusave"_qs, &Form1::mnusave_Click));
    EXPECT_TRUE(connected(u"mnusaveas"_qs, &Form1::mnusaveas_Click));
    EXPECT_TRUE(connected(u"mnuexit"_qs, &Form1::mnuexit_Click));
    EXPECT_TRUE(connected(u"mnueditundo"_qs, &Form1::mnueditundo_Click));
    EXPECT_TRUE(connected(u"mnueditcmd2"_qs, &Form1::mnueditcmd2_Click));
    EXPECT_TRUE(connected(u"mnuhelpcontent"_qs, &Form1::mnuhelpcontent_Click));
    EXPECT_TRUE(connected(u"mnuhelpreadme"_qs, &Form1::mnuhelpreadme_Click));
    EXPECT_TRUE(connected(u"mnuhelpabout"_qs, &Form1::mnuhelpabout_Click));
}

// The shortcuts belong to the menu items even while the text area has the focus: the key never
// reaches the text area's own handling, so Ctrl+C is the menu's Copy, not the text area's.
TEST(Form1Menus, ShortcutsFromTheTextAreaRunTheMenuItems)
{
    ShownForm shown;
    TextArea *text = shown.text();
    text->setBytes("some text");
    text->selectAll();
    ASSERT_EQ(QApplication::focusWidget(), text);
    const QList<QAction *> actions = shown.form.menuBar()->findChildren<QAction *>();
    for (QAction *action : actions)
        QObject::disconnect(action, nullptr, &shown.form, nullptr);
    KeyPressCounter counter;
    text->installEventFilter(&counter);

    const struct
    {
        QKeyCombination key;
        const char16_t *item;
    } cases[] = {
        {Qt::CTRL | Qt::Key_N, u"mnunew"},        {Qt::CTRL | Qt::Key_O, u"mnuopen"},
        {Qt::CTRL | Qt::Key_S, u"mnusave"},       {Qt::CTRL | Qt::Key_Z, u"mnueditundo"},
        {Qt::CTRL | Qt::Key_X, u"mnueditcmd(0)"}, {Qt::CTRL | Qt::Key_C, u"mnueditcmd(1)"},
        {Qt::CTRL | Qt::Key_V, u"mnueditcmd(2)"}, {QKeyCombination(Qt::Key_F1), u"mnuhelpcontent"},
    };
    for (const auto &[key, item] : cases) {
        SCOPED_TRACE(QString::fromUtf16(item).toStdString());
        QList<QSignalSpy *> spies;
        for (QAction *action : actions)
            spies.append(new QSignalSpy(action, &QAction::triggered));
        QTest::keyClick(text, key.key(), key.keyboardModifiers());
        for (qsizetype i = 0; i < actions.size(); ++i) {
            const bool expected = actions.at(i)->objectName() == QStringView(item);
            EXPECT_EQ(spies.at(i)->count(), expected ? 1 : 0)
                << qPrintable(actions.at(i)->objectName());
        }
        qDeleteAll(spies);
        EXPECT_EQ(counter.presses, 0);
    }
    EXPECT_EQ(text->bytes(), "some text");
    text->removeEventFilter(&counter);
}

TEST(Form1Menus, KeysNoItemClaimsStayWithTheTextArea)
{
    ShownForm shown;
    TextArea *text = shown.text();
    QTest::keyClicks(text, u"abc"_qs);
    QSignalSpy deleteItem(shown.action(u"mnueditcmd(3)"_qs), &QAction::triggered);
    QSignalSpy selectAllItem(shown.action(u"mnueditcmd2"_qs), &QAction::triggered);

    QTest::keyClick(text, Qt::Key_Home);
    QTest::keyClick(text, Qt::Key_Delete);
    EXPECT_EQ(text->bytes(), "bc");
    QTest::keyClick(text, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(text->selText(), u"bc"_qs);
    EXPECT_EQ(deleteItem.count(), 0);
    EXPECT_EQ(selectAllItem.count(), 0);
}

// The four items of the edit array hand the command their own index: Cut, Copy, Paste, Delete.
TEST(Form1Menus, EditArrayItemsRunTheirOwnCommand)
{
    ShownForm shown;
    TextArea *text = shown.text();
    QClipboard *clipboard = QApplication::clipboard();
    const auto select = [text](int start, int length) {
        text->setSelStart(start);
        text->setSelLength(length);
    };
    text->setBytes("one two three");

    select(4, 3);
    shown.action(u"mnueditcmd(1)"_qs)->trigger();
    EXPECT_EQ(clipboard->text(), u"two"_qs);
    EXPECT_EQ(text->bytes(), "one two three");

    select(0, 4);
    shown.action(u"mnueditcmd(0)"_qs)->trigger();
    EXPECT_EQ(clipboard->text(), u"one "_qs);
    EXPECT_EQ(text->bytes(), "two three");

    select(9, 0);
    shown.action(u"mnueditcmd(2)"_qs)->trigger();
    EXPECT_EQ(text->bytes(), "two threeone ");

    select(0, 4);
    shown.action(u"mnueditcmd(3)"_qs)->trigger();
    EXPECT_EQ(text->bytes(), "threeone ");
    EXPECT_EQ(clipboard->text(), u"one "_qs);
}
