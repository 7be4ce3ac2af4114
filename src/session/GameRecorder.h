#pragma once

#include "play/GameRecording.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class TKeyState;
class TReplayStore;

// Records each game the player plays, from its start to its name entry,
// and keeps the games named into the high-score table in a TReplayStore.
// Without a folder nothing is recorded: a scripted run stays as it is.
class TGameRecorder
{
public:
    explicit TGameRecorder(const QString &folder);
    ~TGameRecorder();

    // The kept games; null when none are kept.
    const TReplayStore *Store() const { return mStore.get(); }

    // A player's game starts now, before the round draws from the random streams.
    void Begin(const QString &design, const QString &designHash);
    // The game will not be kept (stopped, or its design changed under it).
    void Discard();
    bool Recording() const { return mRecording.has_value(); }
    // One tick of the game with the keys held in it.
    void Tick(const TKeyState &keys);
    // The game ended with `score`; its name entry decides whether it is kept.
    void Finish(std::int32_t score);
    // The name entry is over: `entry` went into the table (empty: none did).
    void Entered(const QString &entry);

    // While the settings file's lock is held, after `settingsLines` were
    // written: the games waiting are written, the ones the table lost go.
    void Written(const QStringList &settingsLines);
    // Why a game could not be written, the first time only; else empty.
    QString TakeFailure();

private:
    std::unique_ptr<TReplayStore> mStore;
    std::optional<TGameRecording> mRecording;
    std::optional<TGameRecording> mFinished;
    // A game the disk could not take is tried again at the next write.
    std::vector<TGameRecording> mWaiting;
    QString mFailure;
    bool mFailureShown = false;
};
