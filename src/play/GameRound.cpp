#include "play/GameRound.h"

#include "play/KeyState.h"
#include "play/ScoreDisplay.h"

#include "base/Random.h"
#include "design/DesignPictures.h"
#include "design/GamePar.h"
#include "sprites/Picture.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteField.h"

#include <algorithm>
#include <utility>

namespace {

// A ship shows one of the design's photos, or its ship picture.
constexpr int kRandomShipPicture = -1;
constexpr int kGameOverTicks = 50;
constexpr int kStepDown = 10;

enum TExplosionState { esNormal = 0, esExploding = 1, esExploded = 2 };

bool Intersects(const TSprite &a, const TSprite &b)
{
    return RectsIntersect(a.Bounds(), b.Bounds());
}

} // namespace

TGameRound::TGameRound(TSpriteField &playField, const TScoreDisplay &scoreDisplay)
    : mPlayField(playField)
    , mScoreDisplay(scoreDisplay)
    , mCanon(std::make_unique<TSprite>())
    , mScoreSprite(std::make_unique<TSprite>())
{
    mCanon->SetOnMove([this](TSprite *s) { CanonMove(s); });
    mCanon->SetOnStateChanged(
        [this](TSprite *s) { ExplosiveStateChanged(s, kCanonPicture, kCanonExplodePicture); });
    mCanon->SetOnLastFrame([this](TSprite *s) { ExplosionEnd(s); });
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
    auto create = [](TSpriteList &list, TSpriteField &field, int kind, bool enabled) {
        TSprite *sprite = list.AddNew();
        sprite->SetKind(kind);
        sprite->SetEnabled(enabled);
        field.AddSprite(sprite);
        return sprite;
    };
    for (int i = 0; i < gamePar.ShipRows() * gamePar.ShipColumns(); ++i) {
        TSprite *ship = create(mShips, mPlayField, skShip, false);
        ship->SetOnStateChanged([this](TSprite *s) {
            ExplosiveStateChanged(s, kRandomShipPicture, kShipExplodePicture);
        });
        ship->SetOnLastFrame([this](TSprite *s) { ExplosionEnd(s); });
    }
    for (int k = 0; k < gamePar.HomeCount(); ++k) {
        TSprite *home = create(mHomes, mPlayField, skHome, false);
        home->SetLeft(gamePar.HomeLeft() + k * gamePar.HomeDistX());
        home->SetTop(gamePar.HomeTop());
    }
    for (int i = 0; i < gamePar.BombCount(); ++i)
        create(mBombs, mPlayField, skBomb, false)->SetOnMove([this](TSprite *s) { BombMove(s); });
    for (int i = 0; i < gamePar.RocketCount(); ++i)
        create(mRockets, mPlayField, skRocket, false)->SetOnMove([this](TSprite *s) { RocketMove(s); });
    create(mPictures, mPlayField, skGameOver, false);
    for (int kind = skTitle1; kind <= skTitle3; ++kind)
        create(mPictures, attractField, kind, true);
}

void TGameRound::PlaceFixedSprites()
{
    mScoreSprite->SetLeft(10);
    mScoreSprite->SetTop(10);
    mPlayField.AddSprite(mScoreSprite.get());
    mCanon->SetTop(mGamePar->CanonTop());
    mCanon->SetLeft(mGamePar->CanonStartLeft());
    mPlayField.AddSprite(mCanon.get());
}

void TGameRound::ApplyDesign(const TGamePar &gamePar, int clientWidth, int clientHeight)
{
    mGamePar = &gamePar;
    mClientWidth = clientWidth;
    mClientHeight = clientHeight;
    for (int i = 0; i < mHomes.Count(); ++i)
        gamePar.AssignImage(*mHomes.Items(i), kHomePicture);
    for (int i = 0; i < mBombs.Count(); ++i)
        gamePar.AssignImage(*mBombs.Items(i), kBombPicture);
    for (int i = 0; i < mRockets.Count(); ++i)
        gamePar.AssignImage(*mRockets.Items(i), kRocketPicture);
    for (int i = 0; i < mShips.Count(); ++i)
        gamePar.AssignImage(*mShips.Items(i), kRandomShipPicture);
    for (int i = 0; i < mCanonsLeft.Count(); ++i)
        gamePar.AssignImage(*mCanonsLeft.Items(i), kCanonLeftPicture);
    for (int i = 0; i < mPictures.Count(); ++i)
        gamePar.AssignImage(*mPictures.Items(i), mPictures.Items(i)->Kind());
    gamePar.AssignImage(*mCanon, kCanonPicture);
    SetSpeeds();
    for (int k = 0; k < mHomes.Count(); ++k) {
        TSprite *home = mHomes.Items(k);
        home->SetTop(gamePar.HomeTop());
        home->SetLeft(clientWidth * (k + 1) / 4 - home->Width());
    }
    mCanon->SetTop(gamePar.CanonTop());
    mCanon->Jump();
    PlaceShips();
}

void TGameRound::SetSpeeds()
{
    // How far each moving sprite goes in a tick; anything farther is drawn
    // as a jump, not as a slide.
    for (int i = 0; i < mShips.Count(); ++i)
        mShips.Items(i)->SetSpeed(std::max(mGamePar->ShipStepX(), kStepDown));
    for (int i = 0; i < mBombs.Count(); ++i)
        mBombs.Items(i)->SetSpeed(mGamePar->BombStep());
    for (int i = 0; i < mRockets.Count(); ++i)
        mRockets.Items(i)->SetSpeed(mGamePar->RocketStep());
    mCanon->SetSpeed(std::max(mGamePar->CanonStep(), mGamePar->BombStep()));
}

void TGameRound::StartGame(bool demo)
{
    for (int i = 0; i < mBombs.Count(); ++i)
        mBombs.Items(i)->SetEnabled(false);
    for (int i = 0; i < mRockets.Count(); ++i)
        mRockets.Items(i)->SetEnabled(false);
    for (int i = 0; i < mHomes.Count(); ++i)
        mHomes.Items(i)->SetEnabled(true);
    SetCanonsLeft(3);
    mMoveDownDelay = 100;
    NewLevel();
    SetScore(0);
    mReloadCount = mGamePar->RocketReload();
    mPlayField.Step();
    mDemoMode = demo;
    mGameState = demo ? gsDemo : gsPlaying;
    mPlayField.SetShown(true);
    NextCanon();
}

void TGameRound::StopGame()
{
    mGameState = gsStopped;
    mPlayField.SetShown(false);
    mPlayField.RemoveSprite(&GameOverPicture());
    mCountdown = 0;
    mCanonDX = 0;
    mCanonEntering = false;
    mLevelDone = false;
}

void TGameRound::NewLevel()
{
    for (int i = 0; i < mShips.Count(); ++i)
        mShips.Items(i)->SetEnabled(false);
    for (int i = 0; i < mShips.Count(); ++i) {
        TSprite *ship = mShips.Items(i);
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
    for (int i = 0; i < mShips.Count(); ++i) {
        mShips.Items(i)->Jump();
        mShips.Items(i)->SetEnabled(true);
    }
}

void TGameRound::PlaceShips()
{
    const int columns = mGamePar->ShipColumns();
    for (int i = 0; i < mShips.Count(); ++i) {
        TSprite *ship = mShips.Items(i);
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
        for (int i = 0; i < mShips.Count(); ++i) {
            TSprite *ship = mShips.Items(i);
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
    if (!mCanon->Enabled())
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
    for (int i = 0; i < mRockets.Count(); ++i) {
        TSprite *rocket = mRockets.Items(i);
        if (rocket->Enabled())
            continue;
        mEvents.Cues.push_back(TCue::Fire);
        rocket->SetTop(mCanon->Top());
        rocket->SetLeft(mCanon->Left() + 15);
        rocket->Jump();
        rocket->SetEnabled(true);
        mReloadCount = 0;
        return;
    }
}

TSprite *TGameRound::HomeHitBy(const TSprite &sprite) const
{
    for (int i = 0; i < mHomes.Count(); ++i) {
        if (Intersects(sprite, *mHomes.Items(i)))
            return mHomes.Items(i);
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
        for (int i = 0; i < mShips.Count(); ++i) {
            TSprite *ship = mShips.Items(i);
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
    for (int i = 0; i < mBombs.Count(); ++i) {
        TSprite *bomb = mBombs.Items(i);
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
    if (Intersects(*bomb, *mCanon)) {
        bomb->SetEnabled(false);
        mCanon->SetState(esExploding);
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
    const bool explodes = sprite == mCanon.get() || sprite->Kind() == skShip;
    if (explodes && sprite->State() == esExploding && !sprite->IsAnimated())
        ExplosionEnd(sprite);
}

void TGameRound::CheckLevelDone()
{
    for (int i = 0; i < mShips.Count(); ++i) {
        if (mShips.Items(i)->Enabled())
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
    for (int i = 0; i < mShips.Count(); ++i) {
        if (mShips.Items(i)->State() != esNormal)
            return;
    }
    mLevelDone = false;
    NewLevel();
}

void TGameRound::NextCanon()
{
    if (mCanonsLeft.Count() == 0) {
        GameOver();
        return;
    }
    mCanonEntering = true;
    SetCanonsLeft(mCanonsLeft.Count() - 1);
    mGamePar->AssignImage(*mCanon, kCanonPicture);
    mCanon->SetEnabled(true);
    mCanon->SetState(esNormal);
    mCanon->SetLeft(mGamePar->LivesLeft());
    mCanon->SetTop(mGamePar->LivesTop());
    mCanon->Jump();
}

void TGameRound::SetCanonsLeft(int count)
{
    while (mCanonsLeft.Count() > count) {
        TSprite *last = mCanonsLeft.Items(mCanonsLeft.Count() - 1);
        mPlayField.RemoveSprite(last);
        mCanonsLeft.Extract(last);
    }
    while (mCanonsLeft.Count() < count) {
        TSprite *icon = mCanonsLeft.AddNew();
        mPlayField.AddSprite(icon);
        mGamePar->AssignImage(*icon, kCanonLeftPicture);
        icon->SetLeft(mCanonsLeft.Count() * mGamePar->LivesDistX() + mGamePar->LivesLeft());
        icon->SetTop(mGamePar->LivesTop());
    }
}

void TGameRound::SetScore(std::int32_t score)
{
    const bool inGame = mGameState == gsPlaying || mGameState == gsDemo;
    if (inGame && mScore / mGamePar->BonusScore() != score / mGamePar->BonusScore())
        SetCanonsLeft(mCanonsLeft.Count() + 1);
    mScore = score;
    mScoreSprite->SetTransparent(false);
    mScoreSprite->SetPicture(TPicture::FromImage(mScoreDisplay.ComposeScore(score)));
}

void TGameRound::GameOver()
{
    mGameState = gsGameOver;
    mCanonDX = 0;
    mEvents.Cues.push_back(TCue::GameOver);
    mEvents.GameEnded = mScore;
    mCountdown = kGameOverTicks;
    TSprite &picture = GameOverPicture();
    picture.FirstFrame();
    picture.SetEnabled(true);
    picture.SetLeft((mClientWidth - picture.Width()) / 2);
    picture.SetTop((mClientHeight - picture.Height()) / 2);
    mPlayField.AddSprite(&picture);
}

TSprite &TGameRound::GameOverPicture()
{
    return *mPictures.FindKind(skGameOver);
}
