#pragma once

#include "play/TickResult.h"

#include "sprites/SpriteList.h"

#include <cstdint>
#include <memory>

class TGamePar;
class TKeyState;
class TScoreDisplay;
class TSprite;
class TSpriteField;

// What a tick does; the values are stored and traced, keep them.
enum TGameStateValue : std::uint32_t {
    gsNotShown = 0,
    gsGameOver = 1,
    gsPlaying = 2,
    gsStopped = 3,
    gsDemo = 4,
    gsApplyingDesign = 5,
    gsAttract = 6,
    gsAttractWaiting = 7,
};

// Sprite kinds the game tags its sprites with.
enum TSpriteKind : std::int32_t {
    skCanon = 0,
    skBomb = 1,
    skHome = 4,
    skRocket = 5,
    skShip = 6,
    skGameOver = 9,
    skTitle1 = 10,
    skTitle2 = 11,
    skTitle3 = 12,
};

// One game on the play field: the formation, the cannon, rockets, bombs,
// homes, lives, levels and the score. Driven one tick at a time; what it
// does that the player hears or the window must know about is noted for
// TakeEvents, never called out.
class TGameRound
{
public:
    TGameRound(TSpriteField &playField, const TScoreDisplay &scoreDisplay);
    ~TGameRound();

    // Creates every game sprite once; the counts come from `gamePar`.
    void CreateSprites(const TGamePar &gamePar, TSpriteField &attractField);
    // Dresses every sprite from `gamePar` (which stays current afterwards)
    // and lays out the field for a client area of the given size.
    void ApplyDesign(const TGamePar &gamePar, int clientWidth, int clientHeight);
    // Places the score display and the cannon, as the window does once.
    void PlaceFixedSprites();

    void StartGame(bool demo);
    void StopGame();
    void NewLevel();
    void PlaceShips();
    void GameTick();
    void ReadKeys(const TKeyState &keys);
    void FireRocket();
    void LevelChangeIfDone();
    void SetCanonsLeft(int count);
    void SetScore(std::int32_t score);
    void GameOver();
    void NextCanon();
    // What happened since the last call: cues, a game's end, a cleared level.
    TTickResult TakeEvents();

    std::uint32_t GameState() const { return mGameState; }
    void SetGameState(std::uint32_t state) { mGameState = state; }
    std::int32_t Score() const { return mScore; }
    std::int32_t Countdown() const { return mCountdown; }
    void SetCountdown(std::int32_t ticks) { mCountdown = ticks; }
    bool DemoMode() const { return mDemoMode; }
    bool CanonEntering() const { return mCanonEntering; }
    bool LevelDone() const { return mLevelDone; }
    std::int32_t CanonDX() const { return mCanonDX; }
    void SetCanonDX(std::int32_t dx) { mCanonDX = dx; }
    std::int32_t FormationX() const { return mFormationX; }
    std::int32_t FormationY() const { return mFormationY; }
    std::int32_t FormationVX() const { return mFormationVX; }
    std::int32_t MoveDownDelay() const { return mMoveDownDelay; }
    std::int32_t MoveDownCount() const { return mMoveDownCount; }
    std::int32_t ReloadCount() const { return mReloadCount; }
    int ClientWidth() const { return mClientWidth; }
    int ClientHeight() const { return mClientHeight; }

    TSprite &Canon() { return *mCanon; }
    const TSprite &Canon() const { return *mCanon; }
    const TSpriteList &Ships() const { return mShips; }
    const TSpriteList &Rockets() const { return mRockets; }
    const TSpriteList &Bombs() const { return mBombs; }
    const TSpriteList &CanonsLeft() const { return mCanonsLeft; }
    TSpriteList &Pictures() { return mPictures; }
    TSpriteField &PlayField() { return mPlayField; }
    const TGamePar &GamePar() const { return *mGamePar; }

private:
    void RocketMove(TSprite *rocket);
    void DropBomb(const TSprite &ship);
    void BombMove(TSprite *bomb);
    void CanonMove(TSprite *canon);
    void ExplosiveStateChanged(TSprite *sprite, int picture, int explosionPicture);
    void ExplosionEnd(TSprite *sprite);
    void EndStillExplosion(TSprite *sprite);
    void CheckLevelDone();
    void ShowExplosion(TSprite *sprite, int picture);
    void SetSpeeds();
    TSprite *HomeHitBy(const TSprite &sprite) const;
    TSprite &GameOverPicture();

    TSpriteField &mPlayField;
    const TScoreDisplay &mScoreDisplay;
    TTickResult mEvents;
    const TGamePar *mGamePar = nullptr;

    std::int32_t mFormationX = 0;
    std::int32_t mFormationVX = 0;
    std::int32_t mFormationY = 0;
    std::int32_t mMoveDownDelay = 0;
    std::int32_t mMoveDownCount = 0;
    std::int32_t mCanonDX = 0;
    bool mCanonEntering = false;
    bool mLevelDone = false;
    std::uint32_t mGameState = gsNotShown;
    std::int32_t mScore = 0;
    std::int32_t mReloadCount = 0;
    std::int32_t mCountdown = 0;
    bool mDemoMode = false;
    int mClientWidth = 0;
    int mClientHeight = 0;

    TSpriteList mShips;
    TSpriteList mHomes;
    TSpriteList mBombs;
    TSpriteList mCanonsLeft;
    TSpriteList mRockets;
    TSpriteList mPictures;
    std::unique_ptr<TSprite> mCanon;
    std::unique_ptr<TSprite> mScoreSprite;
};
