// What a process costs, read from /proc: CPU time to the nanosecond and peak resident memory.
#pragma once

#include <map>
#include <sys/types.h>

class CpuClock
{
public:
    explicit CpuClock(pid_t pid) : pid(pid) {}

    // Nanoseconds on a CPU, summed over the threads; never goes back when a thread ends.
    long long total();

private:
    pid_t pid;
    std::map<long, long long> lastByThread;
};

// VmHWM of the process in KiB, or -1 when it cannot be read.
long PeakResidentKib(pid_t pid);
