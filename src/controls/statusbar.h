#pragma once

#include <QMargins>
#include <QStatusBar>

class QLabel;
class QTimer;

// The status bar with its two panels: a text panel (1) and a clock panel (2) that keeps the
// current time in the short time format by itself. Panel 1 starts at the bar's left edge and
// panel 2 follows it. The panels are permanent, so menu hovers and status tips never wipe them.
class StatusBar : public QStatusBar
{
    Q_OBJECT
public:
    // The blank above and below the panels and between them, in pixels, as desktops' status
    // bars leave it; none to the left of panel 1.
    static constexpr QMargins PanelBorders{0, 2, 0, 2};
    static constexpr int PanelGap = 2;

    explicit StatusBar(QWidget *parent = nullptr);

    // Fixes the panels' widths in pixels, borders included.
    void setPanelWidths(int first, int second);

    void setPanelText(int panel, const QString &text);
    QString panelText(int panel) const;
    QLabel *panel(int panel) const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void showTime();

    QWidget *panels_;
    QLabel *textPanel_;
    QLabel *clockPanel_;
    QTimer *clock_;
};
