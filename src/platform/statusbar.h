#pragma once

#include <QStatusBar>

class QLabel;
class QTimer;

// The status bar with its two panels: a text panel (1) and a clock panel (2) that keeps the
// current time in the short time format by itself. The panels are permanent widgets, so menu
// hovers and status tips never wipe them.
class StatusBar : public QStatusBar
{
    Q_OBJECT
public:
    explicit StatusBar(QWidget *parent = nullptr);

    // Fixes the panels' widths in pixels, borders included.
    void setPanelWidths(int first, int second);

    void setPanelText(int panel, const QString &text);
    QString panelText(int panel) const;
    QLabel *panel(int panel) const;

private:
    void showTime();

    QLabel *textPanel_;
    QLabel *clockPanel_;
    QTimer *clock_;
};
