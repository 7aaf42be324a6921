#pragma once

#include "document/documentstate.h"

class CommonDialog;
class QWidget;
class StatusBar;
class TextArea;

// What the command routines use of the main window: the document record and the controls they
// read and write. The main window holds one; tests build one from bare controls.
struct DocumentWindow
{
    DocumentState documentState;
    QWidget &form; // its caption, and the owner of boxes and dialogs
    TextArea &Text1;
    StatusBar &StatusBar1;
    CommonDialog &CommonDialog1;
};
