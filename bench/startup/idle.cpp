#include "idle.h"
#include "xevents.h"

#include <unistd.h>
#include <vector>

double WaitUntilIdle(CpuClock &program, CpuClock &server, const IdleRule &rule, double deadlineMs)
{
    struct Sample
    {
        double atMs;
        double cpuMs;
    };
    std::vector<Sample> samples;
    size_t candidate = 0; // the earliest sample that may still start the quiet stretch
    while (NowMs() < deadlineMs) {
        samples.push_back({NowMs(), (program.total() + server.total()) / 1e6});
        const Sample &latest = samples.back();
        while (latest.atMs - samples[candidate].atMs >= rule.quietMs) {
            if (latest.cpuMs - samples[candidate].cpuMs < rule.allowedMs)
                return samples[candidate].atMs;
            ++candidate;
        }
        usleep(static_cast<useconds_t>(rule.sampleMs * 1000));
    }
    return -1;
}
