#include "QuitOnSignal.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Written by the signal handler, read on the UI thread: the only thing a
// handler may safely do is write a byte.
int gSignalPipe[2] = {-1, -1};

void HandleSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(gSignalPipe[0], &byte, 1);
}

} // namespace

TQuitOnSignal::TQuitOnSignal(QObject *parent)
    : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, gSignalPipe) != 0)
        return;
    mNotifier = new QSocketNotifier(gSignalPipe[1], QSocketNotifier::Read, this);
    connect(mNotifier, &QSocketNotifier::activated, this, &TQuitOnSignal::OnSignal);
    struct sigaction action = {};
    action.sa_handler = HandleSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

TQuitOnSignal::~TQuitOnSignal()
{
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        std::signal(signal, SIG_DFL);
    for (int &fd : gSignalPipe) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

// Runs on the UI thread.
void TQuitOnSignal::OnSignal()
{
    char byte = 0;
    [[maybe_unused]] const ssize_t read = ::read(gSignalPipe[1], &byte, 1);
    mRequested = true;
    Q_EMIT Received();
    QCoreApplication::quit();
}
