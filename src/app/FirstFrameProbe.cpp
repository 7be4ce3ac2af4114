#include "FirstFrameProbe.h"

#include <QEvent>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <unistd.h>

void TFirstFrameProbe::WatchIfAsked(QObject *widget)
{
    if (!widget || qEnvironmentVariableIsEmpty(Variable))
        return;
    widget->installEventFilter(new TFirstFrameProbe(widget));
}

bool TFirstFrameProbe::eventFilter(QObject *, QEvent *event)
{
    if (event->type() != QEvent::Paint || mSeen)
        return false;
    mSeen = true;
    // Runs once this paint has reached the screen.
    QTimer::singleShot(0, [] {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        std::printf("first-frame %lld\n", (long long)now.tv_sec * 1000000000LL + now.tv_nsec);
        std::fflush(stdout);
        _exit(0);
    });
    return false;
}
