#include "PauseControl.h"

#include <QAction>
#include <QTimer>

TPauseControl::TPauseControl(QAction &pause1, QTimer &timer1, THooks hooks)
    : mPause1(pause1)
    , mTimer1(timer1)
    , mHooks(std::move(hooks))
{
}

void TPauseControl::Start()
{
    mStarted = true;
    Update();
}

void TPauseControl::Toggled()
{
    // Choosing the command is the player's answer to an interruption too.
    mInterrupted = false;
    Update();
}

void TPauseControl::Interrupt()
{
    if (mInterrupted || !mHooks.InGame())
        return;
    mInterrupted = true;
    Update();
}

bool TPauseControl::PlayerReturned()
{
    if (!mInterrupted)
        return false;
    mInterrupted = false;
    Update();
    return true;
}

void TPauseControl::Resume()
{
    mInterrupted = false;
    mPause1.setChecked(false);
    Update();
}

void TPauseControl::GameStopped()
{
    mInterrupted = false;
    Update();
}

void TPauseControl::SetMinimised(bool minimised)
{
    mMinimised = minimised;
    Update();
}

bool TPauseControl::Paused() const
{
    return mPause1.isChecked() || mInterrupted;
}

void TPauseControl::Update()
{
    const bool run = mStarted && !mMinimised && !Paused();
    // Starting a running timer would restart its interval: leave it be.
    if (run && !mTimer1.isActive())
        mTimer1.start();
    else if (!run)
        mTimer1.stop();
    mHooks.ShowPaused(Paused() && mHooks.InGame());
}
