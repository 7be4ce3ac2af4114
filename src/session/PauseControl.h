#pragma once

// Decides when the game's timer runs: not while the player paused, not
// while the window is minimised, and not after the game was interrupted
// (focus lost, a menu or dialog opened) until the player is back. Also
// says when the "Paused" notice belongs over the field. It holds no widget:
// the window shows what State answers after each change.
class TPauseControl
{
public:
    struct TState {
        bool TimerRuns = false;
        bool ShowPaused = false;
        // The player's own pause, as the menu's check mark shows it.
        bool PauseChecked = false;
    };

    // The window shows for the first time: the timer may run from now on.
    void Start() { mStarted = true; }
    // The player's pause command; it is the answer to an interruption too.
    void TogglePause();
    // Focus lost, a menu or a dialog opened: a running game waits. False
    // when nothing changed (no game, or already waiting).
    bool Interrupt(bool inGame);
    // A key or click of the player. True when it only ended an
    // interruption, so it must do nothing else.
    bool PlayerReturned();
    // A new game or the end of one: whatever paused, the timer runs.
    void Resume();
    // No game left to wait: an interruption ends.
    void GameStopped() { mInterrupted = false; }
    void SetMinimised(bool minimised) { mMinimised = minimised; }

    bool Interrupted() const { return mInterrupted; }
    bool Paused() const { return mPauseChecked || mInterrupted; }
    TState State(bool inGame) const;

private:
    bool mStarted = false;
    bool mMinimised = false;
    bool mInterrupted = false;
    bool mPauseChecked = false;
};
