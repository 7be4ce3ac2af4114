#pragma once

#include "play/GameRecording.h"
#include "play/ReplayScript.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class QTextStream;
class TGameSession;

// Plays a script (TReplayCommand's lines) against a game session, with or
// without a window, writing one JSON line of game state after every tick.
// Used for regression tests, bug reports and checking a design headless.
class TReplayRunner
{
public:
    // What the visible field shows now, for "snap".
    using TSnap = std::function<QImage()>;

    TReplayRunner(TGameSession &session, QTextStream &trace, TSnap snap);

    // Runs every line; throws EReplayError naming the line on a bad line.
    void Run(const QStringList &lines);
    void RunLine(const QString &line);
    // A recorded game on its design; EReplayError, in the player's words,
    // when it would not play as it was played.
    void RunRecording(const TGameRecording &game);

    // The next name the script gave for a name entry; none means Cancel.
    std::optional<QString> TakeName();

    // The state of the game as one JSON line.
    QString TraceLine() const;

private:
    void Tick(int count, const std::vector<TGameKey> &keys);
    void Snap(const QString &path) const;

    TGameSession &mSession;
    QTextStream &mTrace;
    TSnap mSnap;
    int mTicks = 0;
    QStringList mPendingNames;
};
