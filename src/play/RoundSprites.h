#pragma once

#include "sprites/SpriteList.h"

#include <cstdint>
#include <memory>

class TGamePar;
class TSprite;
class TSpriteField;

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

// A ship shows one of the design's photos, or its ship picture.
constexpr int kRandomShipPicture = -1;
// How far the formation steps down; its ships move at least that far a tick.
constexpr int kStepDown = 10;

// The sprites of a game and the attract screen's titles: made once with
// the counts of the first design, dressed anew by every design (pictures,
// speeds, where the homes stand). What they do in play is the round's.
class TRoundSprites
{
public:
    TRoundSprites();
    ~TRoundSprites();

    // Ships, homes, bombs, rockets and the game-over picture join the play
    // field, the title pictures the attract field, in the order they move.
    void Create(const TGamePar &design, TSpriteField &playField, TSpriteField &attractField);
    // Pictures and speeds from `design`; the homes spread over `clientWidth`.
    void Dress(const TGamePar &design, int clientWidth);

    TSprite &Canon() { return *mCanon; }
    const TSprite &Canon() const { return *mCanon; }
    TSpriteList &Ships() { return mShips; }
    const TSpriteList &Ships() const { return mShips; }
    TSpriteList &Homes() { return mHomes; }
    const TSpriteList &Homes() const { return mHomes; }
    TSpriteList &Bombs() { return mBombs; }
    const TSpriteList &Bombs() const { return mBombs; }
    TSpriteList &Rockets() { return mRockets; }
    const TSpriteList &Rockets() const { return mRockets; }
    TSpriteList &CanonsLeft() { return mCanonsLeft; }
    const TSpriteList &CanonsLeft() const { return mCanonsLeft; }
    // The game-over picture and the three titles.
    TSpriteList &Pictures() { return mPictures; }

private:
    void SetSpeeds(const TGamePar &design);

    TSpriteList mShips;
    TSpriteList mHomes;
    TSpriteList mBombs;
    TSpriteList mCanonsLeft;
    TSpriteList mRockets;
    TSpriteList mPictures;
    std::unique_ptr<TSprite> mCanon;
};
