#include "play/GameRound.h"

#include "play/KeyState.h"

#include "base/Random.h"
#include "design/DesignPictures.h"
#include "design/GamePar.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteField.h"

#include <algorithm>
#include <utility>

namespace {

enum TExplosionState { esNormal = 0, esExploding = 1, esExploded = 2 };

bool Intersects(const TSprite &a, const TSprite &b)
{
    return RectsIntersect(a.Bounds(), b.Bounds());
}

} // namespace

TGameRound::TGameRound(TSpriteField &playField)
    : mPlayField(playField)
{
    TSprite &canon = mSprites.Canon();
    canon.SetOnMove([this](TSprite *s) { CanonMove(s); });
    canon.SetOnStateChanged(
        [this](TSprite *s) { ExplosiveStateChanged(s, kCanonPicture, kCanonExplodePicture); });
    canon.SetOnLastFrame([this](TSprite *s) { ExplosionEnd(s); });
    // An explosion picture with a single frame never reaches a "last
    // frame"; end such an explosion at the sprite's next move instead.
    mPlayField.SetAfterSprtMove([this](TSprite *s) { EndStillExplosion(s); });
}

TGameRound::~TGameRound()
{
    // The field may outlive the round; it must not keep pointers to our sprites.
    mPlayField.Clear();
    mPlayField.SetAfterSprtMove(nullptr);
}

TTickResult TGameRound::TakeEvents()
{
    return std::exchange(mEvents, TTickResult{});
}

void TGameRound::CreateSprites(const TGamePar &gamePar, TSpriteField &attractField)
{
    mSprites.Create(gamePar, mPlayField, attractField);
    HookSprites();
}

void TGameRound::HookSprites()
{
    TSpriteList &ships = mSprites.Ships();
    for (int i = 0; i < ships.Count(); ++i) {
        ships.Items(i)->SetOnStateChanged([this](TSprite *s) {
            ExplosiveStateChanged(s, kRandomShipPicture, kShipExplodePicture);
        });
        ships.Items(i)->SetOnLastFrame([this](TSprite *s) { ExplosionEnd(s); });
    }
    for (int i = 0; i < mSprites.Bombs().Count(); ++i)
        mSprites.Bombs().Items(i)->SetOnMove([this](TSprite *s) { BombMove(s); });
    for (int i = 0; i < mSprites.Rockets().Count(); ++i)
        mSprites.Rockets().Items(i)->SetOnMove([this](TSprite *s) { RocketMove(s); });
}

void TGameRound::PlaceFixedSprites()
{
    mScoreBoard.Place(mPlayField);
    mSprites.Canon().SetTop(mGamePar->CanonTop());
    mSprites.Canon().SetLeft(mGamePar->CanonStartLeft());
    mPlayField.AddSprite(&mSprites.Canon());
}

void TGameRound::ApplyDesign(const TGamePar &gamePar, int clientWidth, int clientHeight)
{
    mGamePar = &gamePar;
    mClientWidth = clientWidth;
    mClientHeight = clientHeight;
    mSprites.Dress(gamePar, clientWidth);
    PlaceShips();
}

void TGameRound::StartGame(bool demo)
{
    for (int i = 0; i < mSprites.Bombs().Count(); ++i)
        mSprites.Bombs().Items(i)->SetEnabled(false);
    for (int i = 0; i < mSprites.Rockets().Count(); ++i)
        mSprites.Rockets().Items(i)->SetEnabled(false);
    for (int i = 0; i < mSprites.Homes().Count(); ++i)
        mSprites.Homes().Items(i)->SetEnabled(true);
    SetCanonsLeft(3);
    mMoveDownDelay = 100;
    NewLevel();
    SetScore(0);
    mReloadCount = mGamePar->RocketReload();
    mPlayField.Step();
    mDemoMode = demo;
    mPhase = TPhase::Running;
    mPlayField.SetShown(true);
    NextCanon();
}

void TGameRound::StopGame()
{
    mPhase = TPhase::Idle;
    mPlayField.SetShown(false);
    mPlayField.RemoveSprite(&GameOverPicture());
    mCanonDX = 0;
    mCanonEntering = false;
    mLevelDone = false;
}

void TGameRound::NewLevel()
{
    for (int i = 0; i < mSprites.Ships().Count(); ++i)
        mSprites.Ships().Items(i)->SetEnabled(false);
    for (int i = 0; i < mSprites.Ships().Count(); ++i) {
        TSprite *ship = mSprites.Ships().Items(i);
        mGamePar->AssignImage(*ship, kRandomShipPicture);
        ship->SetState(esNormal);
    }
    mFormationX = 0;
    mFormationY = 0;
    mFormationVX = mGamePar->ShipStepX();
    if (mMoveDownDelay > 30)
        mMoveDownDelay -= 8;
    mMoveDownCount = mMoveDownDelay;
    PlaceShips();
    for (int i = 0; i < mSprites.Ships().Count(); ++i) {
        mSprites.Ships().Items(i)->Jump();
        mSprites.Ships().Items(i)->SetEnabled(true);
    }
}

void TGameRound::PlaceShips()
{
    const int columns = mGamePar->ShipColumns();
    for (int i = 0; i < mSprites.Ships().Count(); ++i) {
        TSprite *ship = mSprites.Ships().Items(i);
        if (!ship->Enabled() || ship->State() != esNormal)
            continue;
        const int row = i / columns;
        const int column = i % columns;
        ship->SetLeft(mGamePar->FormationLeft() + column * mGamePar->ShipDistX() + mFormationX);
        ship->SetTop(mGamePar->FormationTop() + row * mGamePar->ShipDistY() + mFormationY);
    }
}

void TGameRound::GameTick()
{
    ++mReloadCount;
    if (!mLevelDone) {
        PlaceShips();
        for (int i = 0; i < mSprites.Ships().Count(); ++i) {
            TSprite *ship = mSprites.Ships().Items(i);
            if (!ship->Enabled() || ship->State() != esNormal)
                continue;
            if (!mCanonEntering && Random::Below(mGamePar->BombChance()) == 1)
                DropBomb(*ship);
            if (mPlayField.FindSprite(skHome, ship->Bounds()))
                GameOver();
        }
    }
    mPlayField.Step();
    mFormationX += mFormationVX;
    if (mFormationX <= 0) {
        mFormationX = 0;
        mFormationVX = mGamePar->ShipStepX();
    } else if (mFormationX >= mGamePar->ShipRangeX()) {
        mFormationX = mGamePar->ShipRangeX();
        mFormationVX = -mGamePar->ShipStepX();
    }
    if (--mMoveDownCount <= 0) {
        mEvents.Cues.push_back(TCue::StepDown);
        mFormationY += kStepDown;
        mMoveDownCount = mMoveDownDelay;
    }
    if (!mSprites.Canon().Enabled())
        NextCanon();
}

void TGameRound::ReadKeys(const TKeyState &keys)
{
    mCanonDX = 0;
    if (keys.IsHeld(TGameKey::Left))
        mCanonDX = -mGamePar->CanonStep();
    if (keys.IsHeld(TGameKey::Right))
        mCanonDX = mGamePar->CanonStep();
    if (keys.IsHeld(TGameKey::Space))
        FireRocket();
    else
        mReloadCount = mGamePar->RocketReload();
}

void TGameRound::FireRocket()
{
    if (mReloadCount < mGamePar->RocketReload() || mLevelDone)
        return;
    for (int i = 0; i < mSprites.Rockets().Count(); ++i) {
        TSprite *rocket = mSprites.Rockets().Items(i);
        if (rocket->Enabled())
            continue;
        mEvents.Cues.push_back(TCue::Fire);
        rocket->SetTop(mSprites.Canon().Top());
        rocket->SetLeft(mSprites.Canon().Left() + 15);
        rocket->Jump();
        rocket->SetEnabled(true);
        mReloadCount = 0;
        return;
    }
}

TSprite *TGameRound::HomeHitBy(const TSprite &sprite) const
{
    for (int i = 0; i < mSprites.Homes().Count(); ++i) {
        if (Intersects(sprite, *mSprites.Homes().Items(i)))
            return mSprites.Homes().Items(i);
    }
    return nullptr;
}

void TGameRound::RocketMove(TSprite *rocket)
{
    if (rocket->Top() <= 0) {
        rocket->SetEnabled(false);
        return;
    }
    if (HomeHitBy(*rocket))
        rocket->SetEnabled(false);
    if (rocket->Enabled()) {
        for (int i = 0; i < mSprites.Ships().Count(); ++i) {
            TSprite *ship = mSprites.Ships().Items(i);
            if (!ship->Enabled() || ship->State() != esNormal || !Intersects(*rocket, *ship))
                continue;
            rocket->SetEnabled(false);
            ship->SetState(esExploding);
            mEvents.Cues.push_back(TCue::ShipHit);
            SetScore(mScore + 10);
            break;
        }
    }
    rocket->SetTop(rocket->Top() - mGamePar->RocketStep());
}

void TGameRound::DropBomb(const TSprite &ship)
{
    for (int i = 0; i < mSprites.Bombs().Count(); ++i) {
        TSprite *bomb = mSprites.Bombs().Items(i);
        if (bomb->Enabled())
            continue;
        bomb->SetEnabled(true);
        bomb->SetLeft(ship.Left() + ship.Width() / 2);
        bomb->SetTop(ship.Top() + ship.Height());
        bomb->Jump();
        return;
    }
}

void TGameRound::BombMove(TSprite *bomb)
{
    if (bomb->Top() >= mClientHeight) {
        bomb->SetEnabled(false);
        return;
    }
    // Tested whatever the cannon's state: a bomb also vanishes where the
    // cannon is exploding or gone.
    if (Intersects(*bomb, mSprites.Canon())) {
        bomb->SetEnabled(false);
        mSprites.Canon().SetState(esExploding);
        mEvents.Cues.push_back(TCue::CanonHit);
    }
    if (bomb->Enabled() && HomeHitBy(*bomb))
        bomb->SetEnabled(false);
    bomb->SetTop(bomb->Top() + mGamePar->BombStep());
}

void TGameRound::CanonMove(TSprite *canon)
{
    if (mCanonEntering) {
        canon->SetTop(canon->Top() + mGamePar->BombStep());
        if (canon->Top() >= mGamePar->CanonTop()) {
            canon->SetTop(mGamePar->CanonTop());
            mCanonEntering = false;
        }
        return;
    }
    canon->SetLeft(canon->Left() + mCanonDX);
    if (canon->Left() < 5) {
        canon->SetLeft(5);
        mCanonDX = 0;
    }
    const int rightmost = mClientWidth - canon->Width() - 5;
    if (canon->Left() > rightmost) {
        canon->SetLeft(rightmost);
        mCanonDX = 0;
    }
}

void TGameRound::ShowExplosion(TSprite *sprite, int picture)
{
    const int centreX = sprite->Left() + sprite->Width() / 2;
    const int centreY = sprite->Top() + sprite->Height() / 2;
    mGamePar->AssignImage(*sprite, picture);
    sprite->SetLeft(centreX - sprite->Width() / 2);
    sprite->SetTop(centreY - sprite->Height() / 2);
    sprite->Jump();
    sprite->SetFrame(0);
}

// Ships and the cannon alike: normal shows their picture, exploding shows
// the explosion centred where they stood, exploded puts them away.
void TGameRound::ExplosiveStateChanged(TSprite *sprite, int picture, int explosionPicture)
{
    switch (sprite->State()) {
    case esNormal:
        mGamePar->AssignImage(*sprite, picture);
        sprite->SetFrame(0);
        break;
    case esExploding:
        ShowExplosion(sprite, explosionPicture);
        break;
    case esExploded:
        sprite->SetState(esNormal);
        sprite->SetEnabled(false);
        if (sprite->Kind() == skShip)
            CheckLevelDone();
        break;
    }
}

void TGameRound::ExplosionEnd(TSprite *sprite)
{
    if (sprite->State() == esExploding)
        sprite->SetState(esExploded);
}

void TGameRound::EndStillExplosion(TSprite *sprite)
{
    const bool explodes = sprite == &mSprites.Canon() || sprite->Kind() == skShip;
    if (explodes && sprite->State() == esExploding && !sprite->IsAnimated())
        ExplosionEnd(sprite);
}

void TGameRound::CheckLevelDone()
{
    for (int i = 0; i < mSprites.Ships().Count(); ++i) {
        if (mSprites.Ships().Items(i)->Enabled())
            return;
    }
    mEvents.Cues.push_back(TCue::LevelCleared);
    mEvents.LevelCleared = true;
    SetScore(mScore + 200);
    mLevelDone = true;
}

void TGameRound::LevelChangeIfDone()
{
    if (!mLevelDone)
        return;
    for (int i = 0; i < mSprites.Ships().Count(); ++i) {
        if (mSprites.Ships().Items(i)->State() != esNormal)
            return;
    }
    mLevelDone = false;
    NewLevel();
}

void TGameRound::NextCanon()
{
    if (mSprites.CanonsLeft().Count() == 0) {
        GameOver();
        return;
    }
    mCanonEntering = true;
    SetCanonsLeft(mSprites.CanonsLeft().Count() - 1);
    mGamePar->AssignImage(mSprites.Canon(), kCanonPicture);
    mSprites.Canon().SetEnabled(true);
    mSprites.Canon().SetState(esNormal);
    mSprites.Canon().SetLeft(mGamePar->LivesLeft());
    mSprites.Canon().SetTop(mGamePar->LivesTop());
    mSprites.Canon().Jump();
}

void TGameRound::SetCanonsLeft(int count)
{
    while (mSprites.CanonsLeft().Count() > count) {
        TSprite *last = mSprites.CanonsLeft().Items(mSprites.CanonsLeft().Count() - 1);
        mPlayField.RemoveSprite(last);
        mSprites.CanonsLeft().Extract(last);
    }
    while (mSprites.CanonsLeft().Count() < count) {
        TSprite *icon = mSprites.CanonsLeft().AddNew();
        mPlayField.AddSprite(icon);
        mGamePar->AssignImage(*icon, kCanonLeftPicture);
        icon->SetLeft(mSprites.CanonsLeft().Count() * mGamePar->LivesDistX() + mGamePar->LivesLeft());
        icon->SetTop(mGamePar->LivesTop());
    }
}

void TGameRound::SetScore(std::int32_t score)
{
    if (mPhase == TPhase::Running && mScore / mGamePar->BonusScore() != score / mGamePar->BonusScore())
        SetCanonsLeft(mSprites.CanonsLeft().Count() + 1);
    mScore = score;
    mScoreBoard.Show(score);
}

void TGameRound::GameOver()
{
    mPhase = TPhase::Over;
    mCanonDX = 0;
    mEvents.Cues.push_back(TCue::GameOver);
    mEvents.GameEnded = mScore;
    TSprite &picture = GameOverPicture();
    picture.FirstFrame();
    picture.SetEnabled(true);
    picture.SetLeft((mClientWidth - picture.Width()) / 2);
    picture.SetTop((mClientHeight - picture.Height()) / 2);
    mPlayField.AddSprite(&picture);
}

TSprite &TGameRound::GameOverPicture()
{
    return *mSprites.Pictures().FindKind(skGameOver);
}
