#include "xevents.h"

#include <cmath>
#include <poll.h>
#include <time.h>

double NowMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

bool NextEventBefore(Display *display, XEvent &event, double deadlineMs)
{
    while (XPending(display) == 0) {
        const double left = deadlineMs - NowMs();
        if (left <= 0)
            return false;
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, static_cast<int>(std::ceil(left)));
    }
    XNextEvent(display, &event);
    return true;
}
