#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <csignal>
#include <exception>
#include <unistd.h>

// Runs `body` in a forked copy of the test and returns how it ended: the
// parent's files see whatever the child wrote, so a test can look at what a
// failure or a kill left behind.
namespace ChildProcess {

inline constexpr int Succeeded = 0;
inline constexpr int Threw = 1;
inline constexpr int Killed = -1;

// Exit code 0 when `body` returned, 1 when it threw; Killed when a signal
// (the kill a test hook sends) ended it.
template <typename Body>
int Run(Body body, rlim_t fileSizeLimit = RLIM_INFINITY)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        // A file size limit makes every write past it fail with EFBIG, as a
        // full disk fails with ENOSPC, without needing a small disk or root.
        if (fileSizeLimit != RLIM_INFINITY) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{fileSizeLimit, fileSizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        int code = Succeeded;
        try {
            body();
        } catch (const std::exception &) {
            code = Threw;
        }
        ::_exit(code);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : Killed;
}

// The same with every file limited to `bytes`: a disk that fills up.
template <typename Body>
int RunOnFullDisk(rlim_t bytes, Body body)
{
    return Run(body, bytes);
}

} // namespace ChildProcess
