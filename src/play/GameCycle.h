#pragma once

#include "play/AttractScreen.h"
#include "play/GameState.h"
#include "play/TickResult.h"

#include "sprites/SpriteField.h"

#include <cstdint>
#include <memory>

class TDemoPlayer;
class TGamePar;
class TGameRound;
class THighScoreTable;
class TKeyState;
class TKeyValueList;

// What the attract screen reads: translated texts, the last score and the
// high-score table (both kept by the window's settings).
struct TGameCycleSetup {
    TAttractScreen::TLookup Lookup;
    const TKeyValueList &Settings;
    const THighScoreTable &HighScores;
};

// The game's modes and the moves between them: the attract screen, its
// countdown into a demo, the demo, the player's game and the game-over
// wait. The mode and its countdown are the cycle's own. It owns the two sprite fields (play and attract) that the window's
// boxes show, the round on the one and the attract screen on the other.
// Every command notes what happened for TakeEvents; Tick returns it.
class TGameCycle
{
public:
    // The sprites are made once, their counts from `design`.
    TGameCycle(TGameCycleSetup setup, const TGamePar &design);
    ~TGameCycle();

    // Dresses the sprites from `design` and lays the field out at its size.
    void ApplyDesign(const TGamePar &design);
    // Once, after the first design: the score and the cannon are placed and
    // the first level laid out, showing `score` (the last game's).
    void PlaceFixedSprites(std::int32_t score);

    // One tick of whichever mode is on, with the keys held now.
    TTickResult Tick(const TKeyState &keys);
    TTickResult TakeEvents();

    void StartGame(bool demo);
    // Stop Game: false, and nothing done, while a game-over shows.
    bool StopGame();
    // Ends any game; its field leaves the screen.
    void StopRound();
    void ShowAttract();
    // The score lines anew, after a name was entered.
    void RebuildScrollText();
    // A design change runs in a state of its own; ending it puts back the
    // state it noted, the attract screen starting over if that was on.
    std::uint32_t BeginDesignChange();
    void EndDesignChange(std::uint32_t noted);

    // The game ends now, as when its last cannon is lost.
    void GameOver();

    // A game the player plays, or its game-over wait.
    bool InGame() const;
    std::uint32_t GameState() const { return mGameState; }
    // Ticks left of the game-over wait or of the attract screen's wait.
    std::int32_t Countdown() const { return mCountdown; }
    void SetCountdown(std::int32_t ticks) { mCountdown = ticks; }

    TGameRound &Round() { return *mRound; }
    const TGameRound &Round() const { return *mRound; }
    TAttractScreen &Attract() { return *mAttract; }
    TSpriteField &PlayField() { return mPlayField; }
    TSpriteField &AttractField() { return mAttractField; }

private:
    void TitlesDone();
    // A round that ended turns the mode to the game-over wait.
    void FollowRound();
    // The round's events so far join the cycle's, keeping their order.
    void CollectRoundEvents();

    // Declared first: the sprites on them die before them.
    TSpriteField mPlayField;
    TSpriteField mAttractField;
    std::unique_ptr<TGameRound> mRound;
    std::unique_ptr<TAttractScreen> mAttract;
    std::unique_ptr<TDemoPlayer> mDemo;
    TTickResult mEvents;
    std::uint32_t mGameState = gsNotShown;
    std::int32_t mCountdown = 0;
};
