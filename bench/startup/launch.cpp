#include "launch.h"
#include "xevents.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A dialog may be gone by the time its hint is asked for; it is then not the window either.
int IgnoreError(Display *, XErrorEvent *)
{
    return 0;
}

bool IsDialog(Display *display, Window window)
{
    const auto previous = XSetErrorHandler(IgnoreError);
    Window owner = None;
    const bool transient = XGetTransientForHint(display, window, &owner) != 0;
    XSync(display, False);
    XSetErrorHandler(previous);
    return transient;
}

} // namespace

StartedProgram StartAndWaitForMap(Display *display, char **argv, double timeoutMs)
{
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);
    fcntl(ConnectionNumber(display), F_SETFD, FD_CLOEXEC);

    StartedProgram started;
    started.execMs = NowMs();
    started.pid = fork();
    if (started.pid == 0) {
        execvp(argv[0], argv);
        std::perror(argv[0]);
        _exit(127);
    }
    if (started.pid < 0)
        return started;

    const double deadline = started.execMs + timeoutMs;
    XEvent event;
    while (started.mappedMs < 0 && NowMs() < deadline) {
        // Short slices, so that a program that dies before mapping is noticed.
        if (!NextEventBefore(display, event, std::min(deadline, NowMs() + 50))) {
            if (waitpid(started.pid, nullptr, WNOHANG) == started.pid) {
                started.pid = -1;
                break;
            }
            continue;
        }
        // A dialog that comes first (a long load's progress) is not the program's window.
        if (event.type == MapNotify && event.xmap.event == root && !event.xmap.override_redirect &&
            !IsDialog(display, event.xmap.window)) {
            started.mappedMs = NowMs();
            started.window = event.xmap.window;
        }
    }
    XSelectInput(display, root, NoEventMask);
    return started;
}

void StopProgram(pid_t pid)
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        usleep(10000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}
