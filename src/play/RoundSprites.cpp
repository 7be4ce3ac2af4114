#include "play/RoundSprites.h"

#include "design/DesignPictures.h"
#include "design/GamePar.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteField.h"

#include <algorithm>

namespace {

TSprite *Create(TSpriteList &list, TSpriteField &field, int kind, bool enabled)
{
    TSprite *sprite = list.AddNew();
    sprite->SetKind(kind);
    sprite->SetEnabled(enabled);
    field.AddSprite(sprite);
    return sprite;
}

void Dress(const TGamePar &design, TSpriteList &list, int picture)
{
    for (int i = 0; i < list.Count(); ++i)
        design.AssignImage(*list.Items(i), picture);
}

} // namespace

TRoundSprites::TRoundSprites()
    : mCanon(std::make_unique<TSprite>())
{
}

TRoundSprites::~TRoundSprites() = default;

void TRoundSprites::Create(const TGamePar &design, TSpriteField &playField, TSpriteField &attractField)
{
    for (int i = 0; i < design.ShipRows() * design.ShipColumns(); ++i)
        ::Create(mShips, playField, skShip, false);
    for (int k = 0; k < design.HomeCount(); ++k) {
        TSprite *home = ::Create(mHomes, playField, skHome, false);
        home->SetLeft(design.HomeLeft() + k * design.HomeDistX());
        home->SetTop(design.HomeTop());
    }
    for (int i = 0; i < design.BombCount(); ++i)
        ::Create(mBombs, playField, skBomb, false);
    for (int i = 0; i < design.RocketCount(); ++i)
        ::Create(mRockets, playField, skRocket, false);
    ::Create(mPictures, playField, skGameOver, false);
    for (int kind = skTitle1; kind <= skTitle3; ++kind)
        ::Create(mPictures, attractField, kind, true);
}

void TRoundSprites::Dress(const TGamePar &design, int clientWidth)
{
    ::Dress(design, mHomes, kHomePicture);
    ::Dress(design, mBombs, kBombPicture);
    ::Dress(design, mRockets, kRocketPicture);
    ::Dress(design, mShips, kRandomShipPicture);
    ::Dress(design, mCanonsLeft, kCanonLeftPicture);
    for (int i = 0; i < mPictures.Count(); ++i)
        design.AssignImage(*mPictures.Items(i), mPictures.Items(i)->Kind());
    design.AssignImage(*mCanon, kCanonPicture);
    SetSpeeds(design);
    for (int k = 0; k < mHomes.Count(); ++k) {
        TSprite *home = mHomes.Items(k);
        home->SetTop(design.HomeTop());
        home->SetLeft(clientWidth * (k + 1) / 4 - home->Width());
    }
    mCanon->SetTop(design.CanonTop());
    mCanon->Jump();
}

void TRoundSprites::SetSpeeds(const TGamePar &design)
{
    // How far each moving sprite goes in a tick; anything farther is drawn
    // as a jump, not as a slide.
    for (int i = 0; i < mShips.Count(); ++i)
        mShips.Items(i)->SetSpeed(std::max(design.ShipStepX(), kStepDown));
    for (int i = 0; i < mBombs.Count(); ++i)
        mBombs.Items(i)->SetSpeed(design.BombStep());
    for (int i = 0; i < mRockets.Count(); ++i)
        mRockets.Items(i)->SetSpeed(design.RocketStep());
    mCanon->SetSpeed(std::max(design.CanonStep(), design.BombStep()));
}
