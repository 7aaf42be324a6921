// Waiting on the X connection with a deadline, on the monotonic clock.
#pragma once

#include <X11/Xlib.h>

// Milliseconds on the monotonic clock.
double NowMs();

// Takes the next event into `event`, blocking until one arrives; false once deadlineMs passes.
bool NextEventBefore(Display *display, XEvent &event, double deadlineMs);
