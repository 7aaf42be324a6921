#include "cputime.h"

#include <dirent.h>
#include <fstream>
#include <string>

long long CpuClock::total()
{
    // Each thread's schedstat starts with its time on a CPU in ns; /proc/PID/stat would give the
    // process total too, but only in 10 ms ticks.
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    if (DIR *folder = opendir(tasks.c_str())) {
        while (const dirent *entry = readdir(folder)) {
            if (entry->d_name[0] == '.')
                continue;
            std::ifstream schedstat(tasks + "/" + entry->d_name + "/schedstat");
            long long onCpu = 0;
            if (schedstat >> onCpu)
                lastByThread[std::stol(entry->d_name)] = onCpu;
        }
        closedir(folder);
    }
    long long sum = 0;
    for (const auto &[thread, onCpu] : lastByThread)
        sum += onCpu;
    return sum;
}

long PeakResidentKib(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string word;
    while (status >> word) {
        if (word == "VmHWM:") {
            long kib = -1;
            status >> kib;
            return kib;
        }
    }
    return -1;
}
