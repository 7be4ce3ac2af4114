#include "session/PauseControl.h"

void TPauseControl::TogglePause()
{
    mInterrupted = false;
    mPauseChecked = !mPauseChecked;
}

bool TPauseControl::Interrupt(bool inGame)
{
    if (mInterrupted || !inGame)
        return false;
    mInterrupted = true;
    return true;
}

bool TPauseControl::PlayerReturned()
{
    if (!mInterrupted)
        return false;
    mInterrupted = false;
    return true;
}

void TPauseControl::Resume()
{
    mInterrupted = false;
    mPauseChecked = false;
}

TPauseControl::TState TPauseControl::State(bool inGame) const
{
    return {.TimerRuns = mStarted && !mMinimised && !Paused(),
            .ShowPaused = Paused() && inGame,
            .PauseChecked = mPauseChecked};
}
