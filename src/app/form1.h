#pragma once

#include "document/documentwindow.h"
#include "filedialog/commondialog.h"

#include <QMainWindow>

class GuidePanel;
class StatusBar;
class TextArea;
class Toolbar;

// The main window: menus, toolbar, the panel with the text area and its guide, and the status
// bar with the size gauge. Its layout is fixed: the window cannot be resized or maximised.
class Form1 : public QMainWindow
{
    Q_OBJECT
public:
    // Runs start-up with the argument text before the window is first shown.
    explicit Form1(const QString &argumentText, QWidget *parent = nullptr);

    DocumentWindow &documentWindow() { return window_; }

public slots:
    // One handler per menu item and one for the toolbar; each calls one command routine.
    void mnunew_Click();
    void mnuopen_Click();
    void mnusave_Click();
    void mnusaveas_Click();
    void mnuexit_Click();
    void mnueditundo_Click();
    void mnueditcmd_Click(int index);
    void mnueditcmd2_Click();
    void mnuhelpcontent_Click();
    void mnuhelpreadme_Click();
    void mnuhelpabout_Click();
    void Toolbar1_ButtonClick(const QString &key);

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void layOutControls();

    TextArea *Text1;
    StatusBar *StatusBar1;
    CommonDialog CommonDialog1;
    DocumentWindow window_;
    Toolbar *Toolbar1 = nullptr;
    GuidePanel *Picture1 = nullptr;
    bool shownBefore_ = false;
};
