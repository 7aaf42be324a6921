// Starts a program under the X server named by DISPLAY and prints, on one line, how long it took
// from exec until its first window was mapped and, on request, until it was idle, its peak memory
// and the time of a character typed at the end of its document.
//
//   bench_startup_probe [--idle] [--hwm] [--type N] --server-pid PID -- PROGRAM [ARG...]
//
// --server-pid names the X server, whose CPU time counts towards the idle rule (a program
// waiting on the server is not idle). --hwm and --type wait for the idle moment first.
#include "cputime.h"
#include "idle.h"
#include "keystroke.h"
#include "launch.h"
#include "xevents.h"

#include <X11/keysym.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

struct Options
{
    bool idle = false;
    bool peakMemory = false;
    int keystrokes = 0;
    pid_t serverPid = 0;
    char **program = nullptr;
};

bool ParseOptions(int argc, char **argv, Options &options)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--idle") == 0) {
            options.idle = true;
        } else if (std::strcmp(argv[i], "--hwm") == 0) {
            options.peakMemory = true;
        } else if (std::strcmp(argv[i], "--type") == 0 && i + 1 < argc) {
            options.keystrokes = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--server-pid") == 0 && i + 1 < argc) {
            options.serverPid = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--") == 0 && i + 1 < argc) {
            options.program = argv + i + 1;
            break;
        } else {
            return false;
        }
    }
    if (options.peakMemory || options.keystrokes > 0)
        options.idle = true;
    return options.program != nullptr && options.serverPid > 0;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A character at the end of the document and its removal, again and again; the median time of
// the character.
double MedianKeystrokeMs(Display *display, Window window, int keystrokes)
{
    KeystrokeTimer keyboard(display, window);
    if (!keyboard.ok())
        return -1;
    keyboard.moveToEnd();
    std::vector<double> times;
    for (int i = 0; i < keystrokes; ++i) {
        const double ms = keyboard.timeKey(XK_z);
        if (ms < 0)
            return -1;
        times.push_back(ms);
        keyboard.pressKey(XK_BackSpace);
    }
    return Median(times);
}

int Measure(Display *display, const Options &options)
{
    StartedProgram started = StartAndWaitForMap(display, options.program, 30000);
    if (started.mappedMs < 0) {
        std::fprintf(stderr, "%s: no window was mapped\n", options.program[0]);
        StopProgram(started.pid);
        return 1;
    }
    std::printf("map_ms=%.2f", started.mappedMs - started.execMs);

    if (options.idle) {
        CpuClock program(started.pid);
        CpuClock server(options.serverPid);
        const double idleMs = WaitUntilIdle(program, server, IdleRule{}, started.execMs + 60000);
        if (idleMs < 0) {
            std::printf("\n");
            std::fprintf(stderr, "%s: never idle\n", options.program[0]);
            StopProgram(started.pid);
            return 1;
        }
        std::printf(" idle_ms=%.2f", idleMs - started.execMs);
    }
    if (options.peakMemory)
        std::printf(" hwm_kib=%ld", PeakResidentKib(started.pid));
    if (options.keystrokes > 0)
        std::printf(" type_ms=%.3f",
                    MedianKeystrokeMs(display, started.window, options.keystrokes));
    std::printf("\n");
    StopProgram(started.pid);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: %s [--idle] [--hwm] [--type N] --server-pid PID -- PROGRAM [ARG...]\n",
                     argv[0]);
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "%s: cannot open the display\n", argv[0]);
        return 1;
    }
    const int status = Measure(display, options);
    XCloseDisplay(display);
    return status;
}
