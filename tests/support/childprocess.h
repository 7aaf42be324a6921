#pragma once

#include <QByteArray>
#include <functional>

// Runs work in a forked child and returns what it wrote to its output, so that a test can meet
// real failures that only another user or a lower limit brings: the child may drop to the
// unprivileged user or lower its own limits without touching the test program.
struct ChildOutcome
{
    QByteArray output;
    int exitCode = -1;
};

using ChildWork = std::function<int(int outputFd)>;
ChildOutcome RunInChild(const ChildWork &work);

// For use inside a child: gives up root for the unprivileged user "nobody" (65534).
bool DropToUnprivilegedUser();

// For use inside a child: writes text to the output.
void WriteToParent(int outputFd, const QByteArray &text);
