#include "support/childprocess.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

ChildOutcome RunInChild(const ChildWork &work)
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        const int code = work(pipeFds[1]);
        ::close(pipeFds[1]);
        ::_exit(code);
    }
    ::close(pipeFds[1]);
    ChildOutcome outcome;
    char buffer[4096];
    ssize_t got;
    while ((got = ::read(pipeFds[0], buffer, sizeof buffer)) > 0)
        outcome.output.append(buffer, got);
    ::close(pipeFds[0]);
    int status = 0;
    if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status))
        outcome.exitCode = WEXITSTATUS(status);
    return outcome;
}

bool DropToUnprivilegedUser()
{
    const gid_t nogroup = 65534;
    return ::setgroups(1, &nogroup) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0;
}

void WriteToParent(int outputFd, const QByteArray &text)
{
    qsizetype done = 0;
    while (done < text.size()) {
        const ssize_t wrote = ::write(outputFd, text.constData() + done, text.size() - done);
        if (wrote <= 0)
            return;
        done += wrote;
    }
}
