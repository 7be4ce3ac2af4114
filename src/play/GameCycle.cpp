#include "play/GameCycle.h"

#include "play/DemoPlayer.h"
#include "play/GameRound.h"
#include "play/KeyState.h"
#include "play/ScoreDisplay.h"

#include "design/GamePar.h"

#include <utility>

namespace {

// How long the attract screen waits after its titles before a demo starts.
constexpr int kTitleWaitTicks = 1000;

} // namespace

TGameCycle::TGameCycle(TGameCycleSetup setup, const TGamePar &design)
    : mScoreDisplay(std::make_unique<TScoreDisplay>())
    , mRound(std::make_unique<TGameRound>(mPlayField, *mScoreDisplay))
{
    mRound->CreateSprites(design, mAttractField);
    mAttract = std::make_unique<TAttractScreen>(*mRound, mAttractField, std::move(setup.Lookup),
                                                setup.Settings, setup.HighScores,
                                                [this] { TitlesDone(); });
    mDemo = std::make_unique<TDemoPlayer>(*mRound);
}

TGameCycle::~TGameCycle() = default;

void TGameCycle::ApplyDesign(const TGamePar &design)
{
    mRound->ApplyDesign(design, design.ClientWidth(), design.ClientHeight());
}

void TGameCycle::PlaceFixedSprites(std::int32_t score)
{
    mRound->PlaceFixedSprites();
    mRound->NewLevel();
    mRound->SetScore(score);
}

TTickResult TGameCycle::Tick(const TKeyState &keys)
{
    TGameRound &round = *mRound;
    switch (round.GameState()) {
    case gsGameOver:
        mPlayField.Step();
        round.SetCountdown(round.Countdown() - 1);
        if (round.Countdown() < 0) {
            StopRound();
            ShowAttract();
            // The window asks for the name after this tick, so that the
            // attract screen keeps ticking behind its dialog.
            if (!round.DemoMode())
                mEvents.HighScoreEntry = round.Score();
        }
        break;
    case gsPlaying:
    case gsDemo:
        if (!round.CanonEntering()) {
            if (round.GameState() == gsPlaying)
                round.ReadKeys(keys);
            else
                mDemo->DemoControl();
        }
        round.GameTick();
        round.LevelChangeIfDone();
        break;
    case gsAttract:
    case gsAttractWaiting: {
        // The state on entry decides: the tick in which the last title
        // picture ends sets the full wait and does not count towards it.
        const bool waiting = round.GameState() == gsAttractWaiting;
        mAttractField.Step();
        if (waiting) {
            round.SetCountdown(round.Countdown() - 1);
            if (round.Countdown() < 0)
                StartGame(true);
        }
        break;
    }
    default:
        break;
    }
    return TakeEvents();
}

TTickResult TGameCycle::TakeEvents()
{
    CollectRoundEvents();
    return std::exchange(mEvents, TTickResult{});
}

void TGameCycle::CollectRoundEvents()
{
    TTickResult round = mRound->TakeEvents();
    mEvents.Cues.insert(mEvents.Cues.end(), round.Cues.begin(), round.Cues.end());
    if (round.GameEnded)
        mEvents.GameEnded = round.GameEnded;
    mEvents.LevelCleared = mEvents.LevelCleared || round.LevelCleared;
}

void TGameCycle::StartGame(bool demo)
{
    StopRound();
    mAttract->Hide();
    mAttractField.SetShown(false);
    mPlayField.SetShown(true);
    mRound->StartGame(demo);
    mEvents.GameStarted = true;
}

bool TGameCycle::StopGame()
{
    if (mRound->GameState() == gsGameOver)
        return false;
    StopRound();
    ShowAttract();
    return true;
}

void TGameCycle::StopRound()
{
    mRound->StopGame();
}

void TGameCycle::ShowAttract()
{
    CollectRoundEvents();
    mEvents.Cues.push_back(TCue::Attract);
    mPlayField.SetShown(false);
    mAttractField.SetShown(true);
    mRound->SetGameState(gsAttract);
    mAttract->Show();
}

void TGameCycle::RebuildScrollText()
{
    mAttract->BuildScrollText();
}

void TGameCycle::TitlesDone()
{
    mRound->SetCountdown(kTitleWaitTicks);
    mRound->SetGameState(gsAttractWaiting);
}

std::uint32_t TGameCycle::BeginDesignChange()
{
    const std::uint32_t noted = mRound->GameState();
    mRound->SetGameState(gsApplyingDesign);
    return noted;
}

void TGameCycle::EndDesignChange(std::uint32_t noted)
{
    mRound->SetGameState(noted);
    if (noted == gsAttract || noted == gsAttractWaiting)
        ShowAttract();
}

bool TGameCycle::InGame() const
{
    const std::uint32_t state = mRound->GameState();
    return state == gsPlaying || (state == gsGameOver && !mRound->DemoMode());
}
