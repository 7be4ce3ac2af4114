#include "sprites/Sprite.h"

#include "sprites/SpriteField.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>

bool RectsIntersect(const TSpriteRect &a, const TSpriteRect &b)
{
    if (a.IsEmpty() || b.IsEmpty())
        return false;
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

TSprite::~TSprite()
{
    // RemoveSprite edits mFields, so work on a copy.
    const std::vector<TSpriteField *> fields = mFields;
    for (TSpriteField *field : fields)
        field->RemoveSprite(this);
}

TSprite::THandler TSprite::Wrap(TSpriteEvent handler)
{
    if (!handler)
        return nullptr;
    return std::make_shared<const TSpriteEvent>(std::move(handler));
}

void TSprite::SetVX(int32_t vx)
{
    if (vx < -1 || vx > 1)
        return;
    mVX = vx;
    Fire(mOnBounce);
}

void TSprite::SetVY(int32_t vy)
{
    if (vy < -1 || vy > 1)
        return;
    mVY = vy;
    Fire(mOnBounce);
}

void TSprite::SetState(int32_t state)
{
    if (state == mState)
        return;
    mState = state;
    Fire(mOnStateChanged);
}

void TSprite::SetFrame(int32_t frame)
{
    if (!IsAnimated())
        return;
    const int32_t last = FrameCount() - 1;
    if (frame > last)
        frame = mAnimationLoop ? 0 : last;
    // The handler sees the frame shown before; it may even swap the picture.
    if (frame == last && mFrame != last)
        Fire(mOnLastFrame);
    mFrameWait = mAnimationDelay;
    mFrame = frame;
}

void TSprite::DoMove()
{
    if (mFrameWait > 0)
        --mFrameWait;
    else
        NextFrame();
    Fire(mOnMove);
}

void TSprite::DrawOn(QPainter &painter)
{
    DrawAt(painter, mLeft, mTop);
}

void TSprite::DrawAt(QPainter &painter, int32_t left, int32_t top) const
{
    // Picture::Draw keeps the frame index within the picture's frames, so
    // a picture swapped in by OnLastFrame is never read past its end.
    if (IsAnimated())
        mPicture.Draw(painter, left, top, mFrame, true);
    else
        mPicture.Draw(painter, left, top, 0, mTransparent);
}

void TSprite::NoteStepPlace(bool drawn)
{
    const std::int64_t dx = std::int64_t(mLeft) - mToLeft;
    const std::int64_t dy = std::int64_t(mTop) - mToTop;
    mGlides = drawn && mDrawnInStep && !mJumped && std::abs(dx) <= mSpeed && std::abs(dy) <= mSpeed;
    mFromLeft = mToLeft;
    mFromTop = mToTop;
    mToLeft = mLeft;
    mToTop = mTop;
    mDrawnInStep = drawn;
    mJumped = false;
}

QPoint TSprite::PlaceAt(double fraction) const
{
    if (!mGlides || fraction >= 1.0)
        return {mToLeft, mToTop};
    // Counted back from the end, so that the whole tick lands exactly there.
    const double back = 1.0 - std::max(fraction, 0.0);
    return {mToLeft - int(std::lround((mToLeft - mFromLeft) * back)),
            mToTop - int(std::lround((mToTop - mFromTop) * back))};
}

void TSprite::Assign(const TSprite &source)
{
    if (&source == this)
        return;
    mPicture = source.mPicture;
    mAnimationLoop = source.mAnimationLoop;
    mAnimationDelay = source.mAnimationDelay;
}
