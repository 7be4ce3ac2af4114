#include "sprites/Sprite.h"

#include "sprites/SpriteBox.h"

#include <QPainter>

bool RectsIntersect(const QRect &a, const QRect &b)
{
    // 64-bit edges: a sprite far off the field must not wrap round.
    const qint64 aRight = qint64(a.x()) + a.width();
    const qint64 aBottom = qint64(a.y()) + a.height();
    const qint64 bRight = qint64(b.x()) + b.width();
    const qint64 bBottom = qint64(b.y()) + b.height();
    if (a.width() <= 0 || a.height() <= 0 || b.width() <= 0 || b.height() <= 0)
        return false;
    return a.x() < bRight && b.x() < aRight && a.y() < bBottom && b.y() < aBottom;
}

TSprite::~TSprite()
{
    // RemoveSprite edits mBoxes, so work on a copy.
    const std::vector<TSpriteBox *> boxes = mBoxes;
    for (TSpriteBox *box : boxes)
        box->RemoveSprite(this);
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
    // Picture::Draw keeps the frame index within the picture's frames, so
    // a picture swapped in by OnLastFrame is never read past its end.
    if (IsAnimated())
        mPicture.Draw(painter, mLeft, mTop, mFrame, true);
    else
        mPicture.Draw(painter, mLeft, mTop, 0, mTransparent);
}

void TSprite::Assign(const TSprite &source)
{
    if (&source == this)
        return;
    mPicture = source.mPicture;
    mAnimationLoop = source.mAnimationLoop;
    mAnimationDelay = source.mAnimationDelay;
}
