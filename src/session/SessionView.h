#pragma once

#include "play/HighScoreTable.h"
#include "session/PauseControl.h"

#include <QString>

#include <cstdint>
#include <optional>

class TDesignPrompts;
class TGamePar;
struct TTickResult;

// What a game session asks of whoever shows it: the window, the scripted
// run without one, a test. The session decides; the view only shows and asks.
class TSessionView
{
public:
    virtual ~TSessionView() = default;

    // A design that applied: field size, title, background.
    virtual void ShowDesign(const TGamePar &design) = 0;
    // The tick timer runs or stops; starting restarts its interval.
    virtual void RunTimer(bool run) = 0;
    // The pause check mark and the "Paused" sign.
    virtual void ShowPause(const TPauseControl::TState &state) = 0;
    // The signs over the field for what a tick or command did.
    virtual void ShowEvents(const TTickResult &result, bool demoRunning) = 0;
    // The player's name for a score in the table; none: cancelled.
    virtual std::optional<QString> AskName(TScoreTitle title, std::int32_t score) = 0;
    // The sign over a recorded game being shown; empty: none.
    virtual void ShowReplay(const QString &sign) { (void)sign; }
    // Questions and messages while a dropped design is imported.
    virtual TDesignPrompts &Prompts() = 0;
};
