#include "app/form1.h"

#include "about/form2.h"
#include "document/guard.h"
#include "editing/editcommands.h"
#include "files/opendocument.h"
#include "files/savedocumentas.h"
#include "files/savefile.h"
#include "launch/helpcommands.h"

#include <QCloseEvent>

// Each handler runs one command routine; the routines report their own failures.

void Form1::mnunew_Click()
{
    NewDocument(window_);
}

void Form1::mnuopen_Click()
{
    OpenDocument(window_);
}

void Form1::mnusave_Click()
{
    SaveDocument(window_);
}

void Form1::mnusaveas_Click()
{
    SaveDocumentAs(window_);
}

void Form1::mnuexit_Click()
{
    ::mnuexit_Click(window_);
}

void Form1::mnueditundo_Click()
{
    UndoEdit(*Text1);
}

void Form1::mnueditcmd_Click(int index)
{
    EditSelection(*Text1, static_cast<std::int16_t>(index));
}

void Form1::mnueditcmd2_Click()
{
    EditSelection(*Text1, EditOperation::SelectAll);
}

void Form1::mnuhelpcontent_Click()
{
    ShowHelpPage(this);
}

void Form1::mnuhelpreadme_Click()
{
    ShowReadme(this);
}

void Form1::mnuhelpabout_Click()
{
    ShowAboutBox(this);
}

// The key is compared exactly, with case; the first equal word decides.
void Form1::Toolbar1_ButtonClick(const QString &key)
{
    if (key == u"New")
        NewDocument(window_);
    else if (key == u"Open")
        OpenDocument(window_);
    else if (key == u"Save")
        SaveDocument(window_);
    else if (key == u"Undo")
        UndoEdit(*Text1);
    else if (key == u"Cut")
        EditSelection(*Text1, EditOperation::Cut);
    else if (key == u"Copy")
        EditSelection(*Text1, EditOperation::Copy);
    else if (key == u"Paste")
        EditSelection(*Text1, EditOperation::Paste);
    else if (key == u"Help")
        ShowHelpPage(this);
}

// The close box, the system menu and the desktop all ask alike; the reason is not consulted.
void Form1::closeEvent(QCloseEvent *event)
{
    Flag cancel = FlagFalse;
    Form_QueryUnload(window_, cancel, 0);
    event->setAccepted(cancel == FlagFalse);
}
