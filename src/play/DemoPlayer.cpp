#include "play/DemoPlayer.h"

#include "play/GameRound.h"

#include "base/Random.h"
#include "design/GamePar.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteField.h"

#include <climits>

void TDemoPlayer::DemoControl()
{
    const int step = mRound.GamePar().CanonStep();
    if (mRound.CanonDX() == 0 || Random::Below(10) == 1)
        mRound.SetCanonDX(Random::Below(2) == 0 ? -step : step);

    int leftmost = INT_MAX;
    int rightmost = 0;
    const TSpriteList &ships = mRound.Sprites().Ships();
    for (int i = 0; i < ships.Count(); ++i) {
        const TSprite *ship = ships.Items(i);
        if (!ship->Enabled() || ship->State() != 0)
            continue;
        leftmost = std::min(leftmost, ship->Left());
        rightmost = std::max(rightmost, ship->Left() + ship->Width());
    }

    const TSprite &canon = mRound.Sprites().Canon();
    // With no ship left the cannon heads right.
    if (canon.Left() < leftmost - 50)
        mRound.SetCanonDX(step);
    else if (canon.Left() > rightmost + 50)
        mRound.SetCanonDX(-step);
    else if (canon.Enabled() && Random::Below(4) != 1)
        mRound.FireRocket();
    AvoidBombs();
}

void TDemoPlayer::AvoidBombs()
{
    const TSprite &canon = mRound.Sprites().Canon();
    const int step = mRound.GamePar().CanonStep();
    const int h = 2 * mRound.GamePar().BombStep();
    const int top = canon.Top() - h;
    const int bottom = canon.Top() + canon.Height();
    auto strip = [&](int left, int right) {
        return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    };
    const TSpriteField &field = mRound.PlayField();
    const bool bombAbove = field.FindSprite(skBomb, strip(canon.Left(), canon.Left() + canon.Width()));
    const bool bombLeft = field.FindSprite(skBomb, strip(canon.Left() - step, canon.Left()));
    const int right = canon.Left() + canon.Width();
    const bool bombRight = field.FindSprite(skBomb, strip(right + step, right + 2 * step));
    if (bombAbove)
        mRound.SetCanonDX(step);
    if (bombLeft && mRound.CanonDX() < 0)
        mRound.SetCanonDX(step);
    if (bombRight && mRound.CanonDX() > 0)
        mRound.SetCanonDX(-step);
}
