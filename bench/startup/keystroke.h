// Timing a typed character from outside: a key pressed through the XTest extension, until the
// screen stops changing, as the Damage extension reports it for the root window.
#pragma once

#include <X11/Xlib.h>

class KeystrokeTimer
{
public:
    // Gives `window` the keyboard focus; `ok()` is false without XTest or Damage.
    KeystrokeTimer(Display *display, Window window);
    bool ok() const { return damageEventBase >= 0; }

    // Ctrl+End: the caret to the end of the document; returns once the screen is still.
    void moveToEnd();
    // Milliseconds from pressing the key to the last change of the screen it caused, or -1 when
    // nothing changed within a second.
    double timeKey(KeySym key);
    // Presses the key and waits until the screen is still, untimed.
    void pressKey(KeySym key);

private:
    void sendKey(KeySym key, bool withControl);
    // The time (ms) of the last damage before `silenceMs` passed without any; -1 if none came
    // before firstDeadlineMs.
    double waitForStillScreen(double firstDeadlineMs);

    Display *display;
    int damageEventBase = -1;
    static constexpr double silenceMs = 40;
};
