// Starting the program under test and catching the moment its first window appears.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

struct StartedProgram
{
    pid_t pid = -1;
    Window window = 0;    // its first top-level window
    double execMs = 0;    // just before the fork, on the monotonic clock
    double mappedMs = -1; // when the server reported the window mapped, or -1
};

// Forks and execs argv[0] with SubstructureNotify already selected on the root window, so no map
// can be missed, and blocks on the connection until the MapNotify of a top-level window that is
// not override-redirect (a menu or tooltip). Gives up after timeoutMs or when the program ends.
StartedProgram StartAndWaitForMap(Display *display, char **argv, double timeoutMs);

// Ends the program (TERM, then KILL after two seconds) and collects it.
void StopProgram(pid_t pid);
