#pragma once

#include "play/RoundSprites.h"
#include "play/ScoreBoard.h"
#include "play/TickResult.h"

#include <cstdint>

class TGamePar;
class TKeyState;
class TSprite;
class TSpriteField;

// One game on the play field: the formation, the cannon, rockets, bombs,
// homes, lives, levels and the score. Driven one tick at a time; what it
// does that the player hears or the window must know about is noted for
// TakeEvents, never called out. Which mode the game is in is the cycle's.
class TGameRound
{
public:
    explicit TGameRound(TSpriteField &playField);
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

    // The game started last has ended (its game-over picture shows).
    bool Over() const { return mPhase == TPhase::Over; }
    std::int32_t Score() const { return mScore; }
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

    TRoundSprites &Sprites() { return mSprites; }
    const TRoundSprites &Sprites() const { return mSprites; }
    TSpriteField &PlayField() { return mPlayField; }
    const TGamePar &GamePar() const { return *mGamePar; }

private:
    enum class TPhase { Idle, Running, Over };

    void HookSprites();
    void PlaceShips();
    void RocketMove(TSprite *rocket);
    void DropBomb(const TSprite &ship);
    void BombMove(TSprite *bomb);
    void CanonMove(TSprite *canon);
    void ExplosiveStateChanged(TSprite *sprite, int picture, int explosionPicture);
    void ExplosionEnd(TSprite *sprite);
    void EndStillExplosion(TSprite *sprite);
    void CheckLevelDone();
    void ShowExplosion(TSprite *sprite, int picture);
    TSprite *HomeHitBy(const TSprite &sprite) const;
    TSprite &GameOverPicture();

    TSpriteField &mPlayField;
    TTickResult mEvents;
    const TGamePar *mGamePar = nullptr;
    TRoundSprites mSprites;
    TScoreBoard mScoreBoard;

    TPhase mPhase = TPhase::Idle;
    std::int32_t mFormationX = 0;
    std::int32_t mFormationVX = 0;
    std::int32_t mFormationY = 0;
    std::int32_t mMoveDownDelay = 0;
    std::int32_t mMoveDownCount = 0;
    std::int32_t mCanonDX = 0;
    bool mCanonEntering = false;
    bool mLevelDone = false;
    std::int32_t mScore = 0;
    std::int32_t mReloadCount = 0;
    bool mDemoMode = false;
    int mClientWidth = 0;
    int mClientHeight = 0;
};
