#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <csignal>
#include <exception>
#include <stdexcept>
#include <string>
#include <unistd.h>

// Runs a piece of a test in a forked copy of the test process. The parent
// sees whatever the child wrote to disk, so a test can look at what a
// failure, a full disk or a kill left behind.
namespace ChildProcess {

struct TResult {
    enum { Returned, Threw, Killed } Outcome = Killed;
    std::string Message; // what() of the exception the child threw
};

// With `fileSizeLimit`, every write past that many bytes of a file fails
// (EFBIG), as writes on a full disk fail (ENOSPC), without a small disk or
// root.
template <typename Body>
TResult Run(Body body, rlim_t fileSizeLimit = RLIM_INFINITY)
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(pipeFds[0]);
        if (fileSizeLimit != RLIM_INFINITY) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{fileSizeLimit, fileSizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        int code = 0;
        try {
            body();
        } catch (const std::exception &e) {
            const std::string text = e.what();
            [[maybe_unused]] const ssize_t n = ::write(pipeFds[1], text.data(), text.size());
            code = 1;
        }
        ::_exit(code);
    }
    ::close(pipeFds[1]);
    TResult result;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        result.Message.append(buffer, size_t(n));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFEXITED(status))
        result.Outcome = WEXITSTATUS(status) == 0 ? TResult::Returned : TResult::Threw;
    return result;
}

// In a child of a test run as root: folder permissions bind only an
// ordinary user, so the child becomes one (nobody). Files it must reach
// need to be open to others.
inline void ActAsOrdinaryUser()
{
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
        throw std::runtime_error("cannot become an ordinary user");
}

// Every file limited to `bytes`: a disk that fills up.
template <typename Body>
TResult RunOnFullDisk(rlim_t bytes, Body body)
{
    return Run(body, bytes);
}

} // namespace ChildProcess
