#pragma once

#include "document/documentwindow.h"
#include "platform/commondialog.h"

#include <QMainWindow>

class StatusBar;
class TextArea;

// The main window: the text area, the status bar with the size gauge, and the caption.
class Form1 : public QMainWindow
{
    Q_OBJECT
public:
    // Runs start-up with the argument text before the window is first shown.
    explicit Form1(const QString &argumentText, QWidget *parent = nullptr);

    DocumentWindow &documentWindow() { return window_; }

private:
    TextArea *Text1;
    StatusBar *StatusBar1;
    CommonDialog CommonDialog1;
    DocumentWindow window_;
};
