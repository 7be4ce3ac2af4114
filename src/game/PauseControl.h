#pragma once


#include <functional>

class QAction;
class QTimer;

// Decides when the game's timer runs: not while the player's pause is
// checked, not while the window is minimised, and not after the game was
// interrupted (focus lost, a menu or dialog opened) until the player is
// back. Also says when the "Paused" notice belongs over the field.
class TPauseControl
{
public:
    struct THooks {
        // A game the player plays is on the field.
        std::function<bool()> InGame;
        // Shows or hides the "Paused" notice.
        std::function<void(bool)> ShowPaused;
    };

    TPauseControl(QAction &pause1, QTimer &timer1, THooks hooks);

    // The window shows for the first time: the timer may run from now on.
    void Start();
    // The pause command toggled its check mark: the timer follows it.
    void Toggled();
    // Focus lost, a menu or a dialog opened: a running game waits.
    void Interrupt();
    // A key or click of the player. True when it only ended an
    // interruption, so it must do nothing else.
    bool PlayerReturned();
    // A new game or the end of one: whatever paused, the timer runs.
    void Resume();
    // No game left to wait: an interruption ends.
    void GameStopped();
    void SetMinimised(bool minimised);

    bool Interrupted() const { return mInterrupted; }
    bool Paused() const;

private:
    void Update();

    QAction &mPause1;
    QTimer &mTimer1;
    THooks mHooks;
    bool mStarted = false;
    bool mMinimised = false;
    bool mInterrupted = false;
};
