#pragma once

#include "base/KeyValueList.h"
#include "design/DesignRoots.h"
#include "lang/MessageLookup.h"
#include "play/GameRecording.h"
#include "play/HighScoreTable.h"
#include "play/KeyState.h"
#include "session/PauseControl.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QObject;
class TCuePlayer;
class TDesignSwitcher;
class TGameCycle;
class TGamePar;
class TGameRound;
class TSessionView;
class TSettingsFile;
class TGameRecorder;
class TSettingsSaver;
struct TTickResult;

struct TSessionOptions {
    // The settings file; empty: none is read or written.
    QString SettingsPath{};
    // Read while the settings file does not exist yet; may be empty.
    QString SettingsSeedPath{};
    // The scripted run: no sound device opens, no one answers.
    bool Unattended = false;
    // Unattended runs still open the system's sound output.
    bool OpenSoundDevice = false;
    // Where the design folders lie; empty: beside the executable.
    QString DesignRoot{};
    // Where the games of the high-score table are kept; empty: nowhere.
    QString ReplayFolder{};
};

// One line of the High Scores window, best first.
struct THighScoreRow {
    // In the table (0 = the lowest), for WatchHighScore.
    int Index = 0;
    TScoreEntry Entry;
    // When the game was played; invalid when it was not recorded.
    QDateTime Played;
};

// Why a recorded game is not shown.
enum class TWatchRefusal { None, NotRecorded, Unreadable, RulesChanged, DesignMissing, DesignChanged };

// One player's game without widgets: the settings, the game cycle and its
// design, the cues, when the game waits, the high-score entry and the
// import of a dropped design. The window forwards its events here and shows
// what the session tells its TSessionView; the scripted run does the same
// without a window.
class TGameSession
{
public:
    // The sound mixer becomes a child of `owner`.
    TGameSession(TSessionOptions options, TSessionView &view, TMessageLookup messages, QObject *owner);
    ~TGameSession();

    // The stored design (else Default), the last score and the settings'
    // switches; once, after the view shows the cycle's fields.
    void ApplyStored();
    // The view shows for the first time: the attract screen starts (a
    // scripted run reports a stored design that failed first).
    void Start();
    // Why the stored design could not be used at start, if it could not;
    // once the view can show a message over the field.
    void ReportStartFailure();
    // The sound output held back at start, opened once the view shows.
    void OpenDeferredSound();

    // Commands.
    void StartGame(bool demo);
    void StopGame();
    void TogglePause();
    void SetSound(bool on);
    void SetSmoothMotion(bool on);
    // A game being watched ends first.
    void ChooseDesign(const QString &name);
    // After the language changed: the attract screen's texts anew.
    void LanguageChanged();

    // A key pressed in the window. True when it only ended a wait or
    // started a game, so it must do nothing else.
    bool KeyPressed(int key, bool modifiers, bool autoRepeat);
    // Space or Enter, freshly pressed without modifiers, on the attract
    // screen or in the demo: a game starts. False for any other key.
    bool StartKey(int key, bool modifiers, bool autoRepeat);
    // A key or click of the player; true when it only ended a wait.
    bool PlayerReturned();
    // The command, run only between games: a pad's Y and X open lists then,
    // and do nothing during a game.
    std::function<void()> BetweenGamesOnly(std::function<void()> command);
    // Focus lost, a menu or dialog opened: a running game waits.
    void Interrupt();
    void SetMinimised(bool minimised);
    // The application became active or not: an inactive one waits, silent.
    void SetActivated(bool active);

    // One tick of the timer; a failure stops the timer and is shown.
    void Tick();
    // The name entry of a game that ended in the last tick, if one waits.
    bool EntryPending() const { return mPendingEntry.has_value(); }
    void EnterPendingHighScore();

    // Plays the game recorded for entry `index` of the high-score table
    // (0 = the lowest) on the field under a sign, unless it cannot be
    // played as it was; any key ends it.
    TWatchRefusal WatchHighScore(int index);
    TWatchRefusal Watch(const TGameRecording &game, const QString &sign);
    // Whether `game` would play as it was played, on the designs found now.
    TWatchRefusal CheckRecording(const TGameRecording &game) const;
    bool Watching() const { return mPlayback.has_value(); }
    // Back to the attract screen and the design the player had.
    void EndWatching();
    // The recording of table entry `index`, if one was kept.
    std::optional<TGameRecording> RecordingOf(int index) const;
    std::vector<THighScoreRow> HighScoreRows() const;
    // The words of a refusal, `design` named in it.
    QString RefusalText(TWatchRefusal refusal, const QString &design) const;

    // The design editor opens: the game stops and lets go of its sounds.
    void BeginEditing();
    // It closed on `edited`; the game is back on the attract screen.
    void EndEditing();
    void ApplyEdited(const QString &edited);

    // Dropped files: the first, when a ZIP, is imported as a design and
    // shown on the attract screen. The timer stops meanwhile.
    void ImportDroppedFiles(const QStringList &files);

    // Stops the tick timer (the view hides or closes).
    void StopTimer();
    void ReleaseSounds();
    // False when there is no settings file or it could not be written.
    bool WriteSettings();

    TGameCycle &Cycle() { return *mCycle; }
    TGameRound &Round();
    TKeyState &Keys() { return mKeys; }
    TKeyValueList &Settings() { return mSettings; }
    TCuePlayer &Cues() { return *mCues; }
    const TGamePar &Design() const;
    TDesignRoots Roots() const;
    bool TimerRuns() const { return mTimerRuns; }
    bool SoundOn() const { return !mSoundOff; }
    bool SmoothMotion() const { return mSmoothMotion; }
    bool Unattended() const { return mOptions.Unattended; }

private:
    void LoadSettings();
    void Follow(const TTickResult &result);
    void FollowCycle();
    void FollowPause();
    void SetTimer(bool run);
    void ApplyDesign(const QString &name);
    void EnterHighScore(std::int32_t score, const QString &designName);
    QString CurrentDesignHash();
    void PlaybackTick();
    // The attract screen's wait runs out: the champion's turn, if it has one.
    bool StartChampion();
    // The file kept for table entry `index`; empty when there is none.
    QString RecordingFileOf(int index) const;
    // Plays `game`, already checked, under `sign`.
    void StartPlayback(const TGameRecording &game, const QString &sign);
    QString SignFor(const QString &entry) const;

    TSessionOptions mOptions;
    TSessionView &mView;
    TMessageLookup mMessages;
    std::unique_ptr<TSettingsFile> mSettingsFile;
    // Writes the settings soon after a change.
    std::unique_ptr<TSettingsSaver> mSaver;
    bool mSettingsFailureShown = false;
    TKeyValueList mSettings;
    TKeyState mKeys;
    THighScoreTable mHighScores;
    TPauseControl mPause;
    bool mSoundOff = false;
    bool mSmoothMotion = true;
    bool mTimerRuns = false;
    struct TPendingEntry {
        std::int32_t Score = 0;
        QString Design;
    };
    std::optional<TPendingEntry> mPendingEntry;

    std::unique_ptr<TGameRecorder> mRecorder;
    // Of the design in use; empty until a game needs it.
    QString mDesignHash;
    struct TPlayback {
        TGameRecording Game;
        std::size_t Next = 0;
        TKeyState Keys;
        // The design and random streams the player had before.
        QString Design;
        std::uint32_t Seed = 0;
        std::uint32_t LookSeed = 0;
    };
    std::optional<TPlayback> mPlayback;
    // The attract screen's waits alternate between the demo and the champion.
    bool mChampionsTurn = true;

    std::unique_ptr<TCuePlayer> mCues;
    std::unique_ptr<TDesignSwitcher> mDesigns;
    std::unique_ptr<TGameCycle> mCycle;
};
