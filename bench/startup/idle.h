// Telling from outside when a program has finished its work: the moment from which neither the
// program nor the X server it draws through uses the CPU any more.
#pragma once

#include "cputime.h"

struct IdleRule
{
    double sampleMs = 5;    // how often the CPU clocks are read
    double quietMs = 200;   // how long the quiet must last
    double allowedMs = 1.0; // CPU the two may use together in that time: a cursor blink, no more
};

// Samples from now on and returns the time (monotonic ms) of the first sample from which the
// program and the server together used less than rule.allowedMs of CPU over the following
// rule.quietMs; -1 if that did not happen before deadlineMs. The answer is known only quietMs
// later, which is not part of it.
double WaitUntilIdle(CpuClock &program, CpuClock &server, const IdleRule &rule, double deadlineMs);
