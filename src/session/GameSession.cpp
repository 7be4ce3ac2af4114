#include "session/GameSession.h"

#include "session/CuePlayer.h"
#include "session/GameRecorder.h"
#include "session/DesignSwitcher.h"
#include "session/SessionView.h"
#include "session/SettingsFile.h"
#include "session/SettingsSaver.h"
#include "session/VolumeSetting.h"

#include "base/ErrorReport.h"
#include "base/Random.h"
#include "design/GamePar.h"
#include "exchange/DesignArchive.h"
#include "play/GameCycle.h"
#include "play/GameRound.h"
#include "play/KeyBindings.h"

#include <QFileInfo>
#include <QScopeGuard>

#include <utility>

namespace {

int SettingAsNumber(const TKeyValueList &settings, const QString &key, int fallback)
{
    bool ok = false;
    const int value = settings.Value(key).toInt(&ok);
    return ok ? value : fallback;
}

QString Switch(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

TGameSession::TGameSession(TSessionOptions options, TSessionView &view, TMessageLookup messages,
                           QObject *owner)
    : mOptions(std::move(options))
    , mView(view)
    , mMessages(std::move(messages))
{
    mCues = std::make_unique<TCuePlayer>(owner, mOptions.Unattended && !mOptions.OpenSoundDevice);
    // The player sees the window first; sound follows a moment later.
    if (!mOptions.Unattended)
        mCues->DeferOpening();
    Random::Randomize();
    mRecorder = std::make_unique<TGameRecorder>(mOptions.ReplayFolder);
    mDesigns = std::make_unique<TDesignSwitcher>(Roots(), *mCues, mSettings, [this](const TGamePar &design) {
        mDesignHash.clear();
        mCycle->ApplyDesign(design);
        mView.ShowDesign(design);
    });
    mDesigns->SetLookup(mMessages);
    LoadSettings();
    mCycle = std::make_unique<TGameCycle>(
        TGameCycleSetup{.Lookup = mMessages, .Settings = mSettings, .HighScores = mHighScores},
        mDesigns->Current());
}

TGameSession::~TGameSession() = default;

void TGameSession::LoadSettings()
{
    if (!mOptions.SettingsPath.isEmpty()) {
        mSettingsFile = std::make_unique<TSettingsFile>(
            TSettingsLocation{mOptions.SettingsPath, mOptions.SettingsSeedPath});
        mSettingsFile->Load(mSettings);
        mSaver = std::make_unique<TSettingsSaver>(mSettings, [this] { WriteSettings(); }, nullptr);
    }
    mCues->SetDisabled(mSettings.Value(QStringLiteral("NoDirectSound")) == QLatin1String("1"));
}

void TGameSession::ApplyStored()
{
    mDesigns->ApplyStored();
    mCycle->PlaceFixedSprites(SettingAsNumber(mSettings, QStringLiteral("HighScore"), 0));
    mSoundOff = SettingAsNumber(mSettings, QStringLiteral("Sound"), 1) == 0;
    mSmoothMotion = SettingAsNumber(mSettings, QStringLiteral("SmoothMotion"), 1) != 0;
    mCues->SetVolume(VolumeSetting::Read(mSettings));
    mHighScores.Load(mSettings);
    mKeys.SetBindings(TKeyBindings::Read(mSettings));
}

void TGameSession::Start()
{
    // A scripted run reports at once (to standard error), a window once
    // its first frame is drawn.
    if (mOptions.Unattended)
        ReportStartFailure();
    mPause.Start();
    FollowPause();
    mCycle->ShowAttract();
    FollowCycle();
}

void TGameSession::ReportStartFailure()
{
    mDesigns->ReportStartFailure();
}

void TGameSession::OpenDeferredSound()
{
    mDesigns->OpenDeferredSound();
}

TGameRound &TGameSession::Round()
{
    return mCycle->Round();
}

const TGamePar &TGameSession::Design() const
{
    return mDesigns->Current();
}

TDesignRoots TGameSession::Roots() const
{
    return mOptions.DesignRoot.isEmpty() ? TDesignRoots::Standard() : TDesignRoots(mOptions.DesignRoot);
}

void TGameSession::StartGame(bool demo)
{
    if (mPlayback)
        EndWatching();
    // Before the round draws anything from the random streams.
    if (demo)
        mRecorder->Discard();
    else
        mRecorder->Begin(Design().DesignName(), mRecorder->Store() ? CurrentDesignHash() : QString());
    mCycle->StartGame(demo);
    FollowCycle();
}

void TGameSession::StopGame()
{
    if (mPlayback) {
        EndWatching();
        return;
    }
    mRecorder->Discard();
    const bool stopped = mCycle->StopGame();
    FollowCycle();
    if (stopped) {
        mPause.GameStopped();
        FollowPause();
    }
}

void TGameSession::TogglePause()
{
    mPause.TogglePause();
    FollowPause();
}

void TGameSession::SetSound(bool on)
{
    mSoundOff = !on;
    mSettings.SetValue(QStringLiteral("Sound"), Switch(on));
}

void TGameSession::SetSmoothMotion(bool on)
{
    mSmoothMotion = on;
    mSettings.SetValue(QStringLiteral("SmoothMotion"), Switch(on));
}

void TGameSession::ChooseDesign(const QString &name)
{
    if (mPlayback)
        EndWatching();
    // The game goes on with other pictures and sizes: no longer the game it was.
    mRecorder->Discard();
    ApplyDesign(name);
}

void TGameSession::ApplyDesign(const QString &name)
{
    const std::uint32_t noted = mCycle->BeginDesignChange();
    // Also after a failure: the window may have changed size before the
    // design's sounds failed to load.
    const auto restore = qScopeGuard([&] {
        mCycle->EndDesignChange(noted);
        FollowCycle();
    });
    mDesigns->Apply(name);
}

void TGameSession::LanguageChanged()
{
    mCycle->RebuildScrollText();
}

bool TGameSession::KeyPressed(int key, bool modifiers, bool autoRepeat)
{
    // Modifiers come before menu keys; they are not the player's answer.
    const bool modifierOnly = key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt
                              || key == Qt::Key_Meta;
    if (!autoRepeat && !modifierOnly && mPlayback) {
        EndWatching();
        return true;
    }
    if (!autoRepeat && !modifierOnly && PlayerReturned())
        return true;
    return StartKey(key, modifiers, autoRepeat);
}

bool TGameSession::StartKey(int key, bool modifiers, bool autoRepeat)
{
    // Only a fresh press counts: the Enter that closed a dialog was pressed
    // there, and only its release (or its auto-repeat) reaches the window.
    if (autoRepeat || modifiers || (key != Qt::Key_Space && key != Qt::Key_Return && key != Qt::Key_Enter))
        return false;
    const std::uint32_t state = mCycle->GameState();
    if (state != gsAttract && state != gsAttractWaiting && state != gsDemo)
        return false;
    StartGame(false);
    return true;
}

std::function<void()> TGameSession::BetweenGamesOnly(std::function<void()> command)
{
    return [this, command = std::move(command)] {
        if (!mCycle->InGame())
            command();
    };
}

bool TGameSession::PlayerReturned()
{
    if (!mPause.PlayerReturned())
        return false;
    FollowPause();
    return true;
}

void TGameSession::Interrupt()
{
    if (mPause.Interrupt(mCycle->InGame()))
        FollowPause();
}

void TGameSession::SetMinimised(bool minimised)
{
    mPause.SetMinimised(minimised);
    FollowPause();
}

void TGameSession::SetActivated(bool active)
{
    if (!active)
        Interrupt();
    ErrorReport::Guard([&] { mCues->SetActivated(active); });
}

void TGameSession::Tick()
{
    ErrorReport::Guard(
        [this] {
            if (mPlayback)
                return PlaybackTick();
            // The tick that would start the demo may start the champion instead.
            if (mCycle->GameState() == gsAttractWaiting && mCycle->Countdown() <= 0 && StartChampion())
                return;
            if (mCycle->InGame())
                mRecorder->Tick(mKeys);
            Follow(mCycle->Tick(mKeys));
        },
        [this] { StopTimer(); });
}

void TGameSession::EnterPendingHighScore()
{
    if (!mPendingEntry)
        return;
    const TPendingEntry entry = *mPendingEntry;
    mPendingEntry.reset();
    // Still part of ending the game: a failure stops the timer like one in a tick.
    ErrorReport::Guard([&] { EnterHighScore(entry.Score, entry.Design); }, [this] { StopTimer(); });
}

void TGameSession::EnterHighScore(std::int32_t score, const QString &designName)
{
    const auto askName = [this](TScoreTitle title, std::int32_t score) {
        const std::optional<QString> name = mView.AskName(title, score);
        // Offered the next time; set before the table puts its lines last.
        if (name)
            mSettings.SetValue(QStringLiteral("LastName"), THighScoreTable::CleanName(*name));
        return name;
    };
    QString entered;
    const bool write = mHighScores.Enter(score, designName, mSettings, askName, &entered);
    mRecorder->Entered(entered);
    if (!write)
        return;
    WriteSettings();
    mCycle->RebuildScrollText();
}

void TGameSession::BeginEditing()
{
    if (mPlayback)
        EndWatching();
    mRecorder->Discard();
    StopTimer();
    mCycle->StopRound();
    FollowCycle();
    ReleaseSounds();
}

void TGameSession::EndEditing()
{
    // Whatever the editor did, the game comes back on the attract screen.
    mCycle->StopRound();
    mCycle->ShowAttract();
    FollowCycle();
    mPause.Resume();
    FollowPause();
}

void TGameSession::ApplyEdited(const QString &edited)
{
    mDesigns->ApplyEdited(edited);
}

void TGameSession::ImportDroppedFiles(const QStringList &files)
{
    StopTimer();
    // On again however the import ends, errors included.
    const auto restart = qScopeGuard([this] { SetTimer(true); });
    if (files.isEmpty())
        return;
    const QString path = files.first();
    if (QFileInfo(path).suffix().compare(QLatin1String("zip"), Qt::CaseInsensitive) != 0)
        return;
    if (mPlayback)
        EndWatching();
    mRecorder->Discard();
    mCycle->StopRound();
    FollowCycle();
    if (ImportDesignZip(path, mMessages, mView.Prompts(), Roots().Player()))
        mDesigns->Apply(DesignNameOfArchive(path));
    mCycle->StopRound();
    mCycle->ShowAttract();
    FollowCycle();
    mPause.GameStopped();
    FollowPause();
}

void TGameSession::StopTimer()
{
    SetTimer(false);
}

void TGameSession::ReleaseSounds()
{
    mDesigns->ReleaseSounds();
}

bool TGameSession::WriteSettings()
{
    if (!mSettingsFile)
        return false;
    if (!mSettingsFile->Save(mSettings, [this](const QStringList &lines) { mRecorder->Written(lines); })) {
        // Once is enough: nothing the player does between writes mends it.
        if (!std::exchange(mSettingsFailureShown, true))
            ErrorReport::Show(mSettingsFile->ErrorString());
        return false;
    }
    // The other copy's scores came in with the merge.
    mHighScores.Load(mSettings);
    if (const QString failure = mRecorder->TakeFailure(); !failure.isEmpty())
        ErrorReport::Show(failure);
    return true;
}

void TGameSession::Follow(const TTickResult &result)
{
    for (const TCue cue : result.Cues)
        if (!mSoundOff)
            mCues->PlayCue(cue);
    if (result.GameEnded)
        mSettings.SetValue(QStringLiteral("HighScore"), QString::number(*result.GameEnded));
    if (result.HighScoreEntry)
        mRecorder->Finish(*result.HighScoreEntry);
    if (result.HighScoreEntry)
        mPendingEntry = TPendingEntry{*result.HighScoreEntry, Design().DesignName()};
    if (result.GameStarted) {
        mDesigns->ReleaseSounds();
        mDesigns->LoadSounds();
        // A new game runs, whatever paused the one before.
        mPause.Resume();
        FollowPause();
    }
    mView.ShowEvents(result, mCycle->GameState() == gsDemo);
}

void TGameSession::FollowCycle()
{
    Follow(mCycle->TakeEvents());
}

void TGameSession::FollowPause()
{
    const TPauseControl::TState state = mPause.State(mCycle->InGame());
    // Starting a running timer would restart its interval: leave it be.
    if (!state.TimerRuns)
        SetTimer(false);
    else if (!mTimerRuns)
        SetTimer(true);
    mView.ShowPause(state);
}

void TGameSession::SetTimer(bool run)
{
    mTimerRuns = run;
    mView.RunTimer(run);
}
