#include "launch.h"
#include "xevents.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

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
        if (event.type == MapNotify && event.xmap.event == root && !event.xmap.override_redirect) {
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
