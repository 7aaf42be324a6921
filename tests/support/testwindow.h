#pragma once

#include "controls/statusbar.h"
#include "document/documentwindow.h"
#include "filedialog/commondialog.h"
#include "textarea/textarea.h"

#include <QWidget>

// The controls the command routines work on, without the main window around them. Every change
// of the text runs the text-change handler, as in the main window.
class TestWindow
{
public:
    TestWindow();

    QWidget form;
    TextArea text1;
    StatusBar statusBar1;
    CommonDialog commonDialog1{&form};
    DocumentWindow window{{}, form, text1, statusBar1, commonDialog1};

    DocumentState &state() { return window.documentState; }
    QString gauge() const { return statusBar1.panelText(1); }
};
