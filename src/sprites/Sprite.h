#pragma once

#include "sprites/Picture.h"

#include <QPoint>
#include <QRect>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QPainter;
class TSprite;
class TSpriteBox;
class TSpriteField;

using TSpriteEvent = std::function<void(TSprite *ASprite)>;

// A rectangle with 64-bit edges, right and bottom excluded. A sprite near
// the 32-bit limit plus its size would wrap round in a QRect.
struct TSpriteRect
{
    std::int64_t Left = 0;
    std::int64_t Top = 0;
    std::int64_t Right = 0;
    std::int64_t Bottom = 0;

    TSpriteRect() = default;
    TSpriteRect(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom)
        : Left(left), Top(top), Right(right), Bottom(bottom) {}
    // Read from the QRect's corners, never from its width, which can wrap.
    TSpriteRect(const QRect &r)
        : Left(r.left()), Top(r.top()), Right(std::int64_t(r.right()) + 1),
          Bottom(std::int64_t(r.bottom()) + 1) {}
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
};

// Whether two rectangles overlap, with right and bottom edges excluded:
// rectangles that only touch do not, and an empty (or inverted) rectangle
// overlaps nothing. Every collision test uses this rule.
bool RectsIntersect(const TSpriteRect &a, const TSpriteRect &b);

// One picture on a play field. Sprites never move by themselves: each
// step of their field advances the animation clock and fires OnMove, whose
// handler decides where the sprite goes.
class TSprite
{
public:
    TSprite() = default;
    TSprite(const TSprite &) = delete;
    TSprite &operator=(const TSprite &) = delete;
    // Takes itself out of every field that still refers to it.
    virtual ~TSprite();

    int32_t Left() const { return mLeft; }
    void SetLeft(int32_t left) { mLeft = left; }
    int32_t Top() const { return mTop; }
    void SetTop(int32_t top) { mTop = top; }
    int32_t Width() const { return mPicture.Width(); }
    int32_t Height() const { return mPicture.Height(); }
    QRect Rect() const { return {mLeft, mTop, Width(), Height()}; }
    // What collision tests use: exact wherever the sprite stands.
    TSpriteRect Bounds() const
    {
        return {mLeft, mTop, std::int64_t(mLeft) + Width(), std::int64_t(mTop) + Height()};
    }
    bool Enabled() const { return mEnabled; }
    void SetEnabled(bool enabled) { mEnabled = enabled; }

    // Directions of -1, 0 or 1; other values are ignored. Every accepted
    // value fires OnBounce, even an unchanged one.
    int32_t VX() const { return mVX; }
    void SetVX(int32_t vx);
    int32_t VY() const { return mVY; }
    void SetVY(int32_t vy);
    int32_t State() const { return mState; }
    void SetState(int32_t state);

    void SetOnMove(TSpriteEvent handler) { mOnMove = Wrap(std::move(handler)); }
    void SetOnBounce(TSpriteEvent handler) { mOnBounce = Wrap(std::move(handler)); }
    void SetOnStateChanged(TSpriteEvent handler) { mOnStateChanged = Wrap(std::move(handler)); }
    void SetOnLastFrame(TSpriteEvent handler) { mOnLastFrame = Wrap(std::move(handler)); }

    int32_t FrameWait() const { return mFrameWait; }
    void SetFrameWait(int32_t wait) { mFrameWait = wait; }
    int32_t Kind() const { return mKind; }
    void SetKind(int32_t kind) { mKind = kind; }
    bool AnimationLoop() const { return mAnimationLoop; }
    void SetAnimationLoop(bool loop) { mAnimationLoop = loop; }
    int32_t Frame() const { return mFrame; }
    int32_t AnimationDelay() const { return mAnimationDelay; }
    void SetAnimationDelay(int32_t delay) { mAnimationDelay = delay; }

    // The GIF's frame count, 0 for any other picture.
    int32_t FrameCount() const { return mPicture.FrameCount(); }
    // A GIF with more than one frame.
    bool IsAnimated() const { return FrameCount() > 1; }
    void SetFrame(int32_t frame);
    void FirstFrame() { SetFrame(0); }
    void NextFrame() { SetFrame(mFrame + 1); }

    // One move step: the animation clock, then OnMove.
    virtual void DoMove();
    virtual void DrawOn(QPainter &painter);
    // The picture's current frame with its top-left corner at (left, top).
    void DrawAt(QPainter &painter, int32_t left, int32_t top) const;

    // The farthest the sprite goes in one tick when it moves as it should;
    // a longer move is a jump. 0: it never glides.
    int32_t Speed() const { return mSpeed; }
    void SetSpeed(int32_t pixels) { mSpeed = pixels; }
    // Placed anew rather than moved: in-between frames show it at its new
    // place from the next step on, never sliding there.
    void Jump() { mJumped = true; }
    // Where in-between frames draw it when `fraction` (0..1) of the tick
    // has passed: on its way from where the step before last drew it to
    // where the last step did, unless it jumped, was not drawn then or went
    // farther than its speed.
    QPoint PlaceAt(double fraction) const;
    // Whether the last step of the box showing its field drew it.
    bool DrawnInStep() const { return mDrawnInStep; }

    // Takes the other sprite's picture, AnimationLoop and AnimationDelay;
    // nothing else.
    void Assign(const TSprite &source);
    void AssignPicture(const TPicture &picture) { SetPicture(picture); }
    const TPicture &Picture() const { return mPicture; }
    // The sprite's size follows the picture.
    void SetPicture(TPicture picture) { mPicture = std::move(picture); }
    bool Transparent() const { return mTransparent; }
    void SetTransparent(bool transparent) { mTransparent = transparent; }

private:
    friend class TSpriteBox;
    friend class TSpriteField;
    using THandler = std::shared_ptr<const TSpriteEvent>;

    static THandler Wrap(TSpriteEvent handler);
    // The box notes where a step draws the sprite (drawn: it does).
    void NoteStepPlace(bool drawn);
    // A handler may replace itself while it runs, so it is kept alive by a
    // copy of its pointer for the duration of the call.
    void Fire(const THandler &handler)
    {
        if (handler) {
            const THandler keep = handler;
            (*keep)(this);
        }
    }

    int32_t mLeft = 0;
    int32_t mTop = 0;
    bool mEnabled = true;
    int32_t mVX = 0;
    int32_t mVY = 0;
    int32_t mState = 0;
    THandler mOnMove;
    THandler mOnBounce;
    THandler mOnStateChanged;
    THandler mOnLastFrame;
    int32_t mFrameWait = 0;
    int32_t mKind = 0;
    bool mAnimationLoop = true;
    int32_t mFrame = 0;
    int32_t mAnimationDelay = 0;
    TPicture mPicture;
    bool mTransparent = true;
    int32_t mSpeed = 0;
    int32_t mFromLeft = 0;
    int32_t mFromTop = 0;
    int32_t mToLeft = 0;
    int32_t mToTop = 0;
    bool mDrawnInStep = false;
    bool mGlides = false;
    bool mJumped = false;
    std::vector<TSpriteField *> mFields; // fields whose lists hold this sprite
};
