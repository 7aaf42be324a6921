#include "keystroke.h"
#include "xevents.h"

#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/keysym.h>

KeystrokeTimer::KeystrokeTimer(Display *display, Window window) : display(display)
{
    int xtestEvent, xtestError, major, minor, damageError;
    if (!XTestQueryExtension(display, &xtestEvent, &xtestError, &major, &minor) ||
        !XDamageQueryExtension(display, &damageEventBase, &damageError)) {
        damageEventBase = -1;
        return;
    }
    // The root window's damage covers every window drawn on the screen.
    XDamageCreate(display, DefaultRootWindow(display), XDamageReportRawRectangles);
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    XSync(display, False);
    waitForStillScreen(NowMs() + 200);
}

void KeystrokeTimer::sendKey(KeySym key, bool withControl)
{
    const KeyCode control = XKeysymToKeycode(display, XK_Control_L);
    const KeyCode code = XKeysymToKeycode(display, key);
    if (withControl)
        XTestFakeKeyEvent(display, control, True, CurrentTime);
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    if (withControl)
        XTestFakeKeyEvent(display, control, False, CurrentTime);
    XFlush(display);
}

double KeystrokeTimer::waitForStillScreen(double firstDeadlineMs)
{
    double lastDamageMs = -1;
    XEvent event;
    double deadline = firstDeadlineMs;
    while (NextEventBefore(display, event, deadline)) {
        if (event.type == damageEventBase + XDamageNotify) {
            lastDamageMs = NowMs();
            deadline = lastDamageMs + silenceMs;
        }
    }
    return lastDamageMs;
}

void KeystrokeTimer::moveToEnd()
{
    sendKey(XK_End, true);
    waitForStillScreen(NowMs() + 1000);
}

double KeystrokeTimer::timeKey(KeySym key)
{
    const double pressedMs = NowMs();
    sendKey(key, false);
    const double lastDamageMs = waitForStillScreen(pressedMs + 1000);
    return lastDamageMs < 0 ? -1 : lastDamageMs - pressedMs;
}

void KeystrokeTimer::pressKey(KeySym key)
{
    sendKey(key, false);
    waitForStillScreen(NowMs() + 1000);
}
