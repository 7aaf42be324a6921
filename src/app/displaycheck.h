#pragma once

#include <QtGlobal>

// Qt meets a display it cannot open with a page of advice and an abort. Vellum says so in one line,
// "vellum: cannot open a display", and ends with status 1. Where the user has named Qt's platform
// (QT_QPA_PLATFORM), what happens is left to Qt.

// Ends the program here when Qt would choose the window system itself and none is named: X11 needs
// DISPLAY, Wayland WAYLAND_DISPLAY.
void RequireDisplay();

// From its making until opened() is called, Qt's failure to start its window system ends the
// program with the one line; Qt's other messages in that time are held back, so that none of its
// complaints about the display comes first, and are passed on by opened().
class DisplayOpening
{
public:
    DisplayOpening();

    void opened();

private:
    bool watching_ = false;
    QtMessageHandler previous_ = nullptr;
};
