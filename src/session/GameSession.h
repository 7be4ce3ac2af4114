#pragma once

#include "base/KeyValueList.h"
#include "design/DesignRoots.h"
#include "lang/MessageLookup.h"
#include "play/HighScoreTable.h"
#include "play/KeyState.h"
#include "session/PauseControl.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>

class QObject;
class TCuePlayer;
class TDesignSwitcher;
class TGameCycle;
class TGamePar;
class TGameRound;
class TSessionView;
class TSettingsFile;
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
};

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
    void EnterHighScore(std::int32_t score, const QString &designName);
    void BackToAttract();

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

    std::unique_ptr<TCuePlayer> mCues;
    std::unique_ptr<TDesignSwitcher> mDesigns;
    std::unique_ptr<TGameCycle> mCycle;
};
