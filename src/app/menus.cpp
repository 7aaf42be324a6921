#include "app/menus.h"

#include "app/form1.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

QMenu *AddMenu(Form1 &form, const QString &name, const QString &caption)
{
    QMenu *menu = form.menuBar()->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

// An item without a status tip: hovering it leaves the status bar as it is.
template <typename Handler>
QAction *AddItem(QMenu *menu, const QString &name, const QString &caption,
                 const QKeySequence &shortcut, Form1 &form, Handler handler)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    // Every shortcut belongs to the window, the text area included.
    action->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(action, &QAction::triggered, &form, handler);
    return action;
}

void AddSeparator(QMenu *menu, const QString &name)
{
    menu->addSeparator()->setObjectName(name);
}

} // namespace

void BuildMenus(Form1 &form)
{
    QMenu *file = AddMenu(form, u"mnufile"_qs, u"&File"_qs);
    AddItem(file, u"mnunew"_qs, u"&New"_qs, Qt::CTRL | Qt::Key_N, form, &Form1::mnunew_Click);
    AddItem(file, u"mnuopen"_qs, u"&Open..."_qs, Qt::CTRL | Qt::Key_O, form, &Form1::mnuopen_Click);
    AddItem(file, u"mnusave"_qs, u"&Save"_qs, Qt::CTRL | Qt::Key_S, form, &Form1::mnusave_Click);
    AddItem(file, u"mnusaveas"_qs, u"Save &as..."_qs, {}, form, &Form1::mnusaveas_Click);
    AddSeparator(file, u"mnufilesep1"_qs);
    AddItem(file, u"mnuexit"_qs, u"&Exit"_qs, {}, form, &Form1::mnuexit_Click);

    QMenu *edit = AddMenu(form, u"mnuedit"_qs, u"&Edit"_qs);
    AddItem(edit, u"mnueditundo"_qs, u"&Undo"_qs, Qt::CTRL | Qt::Key_Z, form,
            &Form1::mnueditundo_Click);
    AddSeparator(edit, u"mnueditsep1"_qs);
    struct EditCommand
    {
        const char16_t *caption;
        QKeySequence shortcut;
    };
    const EditCommand editCommands[] = {
        {u"Cu&t", Qt::CTRL | Qt::Key_X},
        {u"&Copy", Qt::CTRL | Qt::Key_C},
        {u"&Paste", Qt::CTRL | Qt::Key_V},
        {u"&Delete", {}},
    };
    for (int index = 0; index < 4; ++index) {
        const EditCommand &command = editCommands[index];
        AddItem(edit, u"mnueditcmd(%1)"_qs.arg(index), QString::fromUtf16(command.caption),
                command.shortcut, form, [&form, index] { form.mnueditcmd_Click(index); });
    }
    AddSeparator(edit, u"mnueditsep2"_qs);
    AddItem(edit, u"mnueditcmd2"_qs, u"&Select all"_qs, {}, form, &Form1::mnueditcmd2_Click);

    QMenu *help = AddMenu(form, u"mnuhelp"_qs, u"&Help"_qs);
    AddItem(help, u"mnuhelpcontent"_qs, u"&Content"_qs, Qt::Key_F1, form,
            &Form1::mnuhelpcontent_Click);
    AddItem(help, u"mnuhelpreadme"_qs, u"Readme.txt"_qs, {}, form, &Form1::mnuhelpreadme_Click);
    AddSeparator(help, u"mnuhelpsep1"_qs);
    AddItem(help, u"mnuhelpabout"_qs, u"&About..."_qs, {}, form, &Form1::mnuhelpabout_Click);
}
