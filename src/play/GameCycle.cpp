#include "play/GameCycle.h"

#include "play/DemoPlayer.h"
#include "play/GameRound.h"
#include "play/KeyState.h"

#include "design/GamePar.h"

#include <utility>

namespace {

// How long the attract screen waits after its titles before a demo starts.
constexpr int kTitleWaitTicks = 1000;
// How long a game's end shows before the attract screen.
constexpr int kGameOverTicks = 50;

} // namespace

TGameCycle::TGameCycle(TGameCycleSetup setup, const TGamePar &design)
    : mRound(std::make_unique<TGameRound>(mPlayField))
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
    switch (mGameState) {
    case gsGameOver:
        mPlayField.Step();
        if (--mCountdown < 0) {
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
            if (mGameState == gsPlaying)
                round.ReadKeys(keys);
            else
                mDemo->DemoControl();
        }
        round.GameTick();
        round.LevelChangeIfDone();
        FollowRound();
        break;
    case gsAttract:
    case gsAttractWaiting: {
        // The state on entry decides: the tick in which the last title
        // picture ends sets the full wait and does not count towards it.
        const bool waiting = mGameState == gsAttractWaiting;
        mAttractField.Step();
        if (waiting && --mCountdown < 0)
            StartGame(true);
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
    mGameState = demo ? gsDemo : gsPlaying;
    FollowRound();
    mEvents.GameStarted = true;
}

void TGameCycle::GameOver()
{
    mRound->GameOver();
    FollowRound();
}

void TGameCycle::FollowRound()
{
    if (mRound->Over() && (mGameState == gsPlaying || mGameState == gsDemo)) {
        mGameState = gsGameOver;
        mCountdown = kGameOverTicks;
    }
}

bool TGameCycle::StopGame()
{
    if (mGameState == gsGameOver)
        return false;
    StopRound();
    ShowAttract();
    return true;
}

void TGameCycle::StopRound()
{
    mRound->StopGame();
    mGameState = gsStopped;
    mCountdown = 0;
}

void TGameCycle::ShowAttract()
{
    CollectRoundEvents();
    mEvents.Cues.push_back(TCue::Attract);
    mPlayField.SetShown(false);
    mAttractField.SetShown(true);
    mGameState = gsAttract;
    mAttract->Show();
}

void TGameCycle::RebuildScrollText()
{
    mAttract->BuildScrollText(mGameState == gsAttract || mGameState == gsAttractWaiting);
}

void TGameCycle::TitlesDone()
{
    mCountdown = kTitleWaitTicks;
    mGameState = gsAttractWaiting;
}

std::uint32_t TGameCycle::BeginDesignChange()
{
    const std::uint32_t noted = mGameState;
    mGameState = gsApplyingDesign;
    return noted;
}

void TGameCycle::EndDesignChange(std::uint32_t noted)
{
    mGameState = noted;
    if (noted == gsAttract || noted == gsAttractWaiting)
        ShowAttract();
}

bool TGameCycle::InGame() const
{
    return mGameState == gsPlaying || (mGameState == gsGameOver && !mRound->DemoMode());
}
