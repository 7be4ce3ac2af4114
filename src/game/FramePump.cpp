#include "FramePump.h"

#include "sprites/ui/SpriteBox.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kFallbackInterval = 16;

} // namespace

TFramePump::TFramePump(const QTimer &tickTimer, std::initializer_list<TSpriteBox *> boxes,
                       QObject *parent)
    : QObject(parent)
    , mTickTimer(tickTimer)
    , mFrameTimer(new QTimer(this))
    , mBoxes(boxes)
{
    mFrameTimer->setTimerType(Qt::PreciseTimer);
    mFrameTimer->setInterval(FrameInterval());
    connect(mFrameTimer, &QTimer::timeout, this, &TFramePump::Frame);
    mSinceTick.start();
}

int TFramePump::FrameInterval() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const double rate = screen ? screen->refreshRate() : 0.0;
    if (!(rate >= 20.0 && rate <= 500.0))
        return kFallbackInterval;
    return std::max(2, int(std::lround(1000.0 / rate)));
}

bool TFramePump::Running() const
{
    return mFrameTimer->isActive();
}

void TFramePump::SetEnabled(bool enabled)
{
    mEnabled = enabled;
    mHolding = false;
    for (TSpriteBox *box : mBoxes)
        box->SetSmooth(enabled);
    if (enabled)
        mFrameTimer->start();
    else
        mFrameTimer->stop();
}

void TFramePump::TickStarted()
{
    mSinceTick.restart();
    mHolding = false;
    if (mEnabled && !mFrameTimer->isActive())
        mFrameTimer->start();
    for (TSpriteBox *box : mBoxes)
        box->BeginTick();
}

double TFramePump::Fraction() const
{
    const int interval = mTickTimer.interval();
    if (!mTickTimer.isActive() || interval <= 0)
        return 1.0;
    return std::clamp(double(mSinceTick.nsecsElapsed()) / (interval * 1e6), 0.0, 1.0);
}

void TFramePump::Frame()
{
    if (!mEnabled || mHolding)
        return;
    const double fraction = Fraction();
    for (TSpriteBox *box : mBoxes) {
        if (box->isVisible())
            box->DrawFrame(fraction);
    }
    mHolding = fraction >= 1.0;
    // Nothing changes until the next tick: a paused game wakes nobody.
    if (mHolding)
        mFrameTimer->stop();
}
