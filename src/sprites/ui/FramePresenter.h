#pragma once

#include "sprites/ui/DirtyTiles.h"

#include <QImage>
#include <QRect>
#include <QRegion>

#include <vector>

class QPainter;
class TFieldScale;

// Shows a sprite box's finished frame in the box, scaled to fit with black
// bands around it. At whole factors it writes straight into the window's
// image by pixel duplication, and once that image holds the last frame only
// the tiles that sprites left or reached since are written again: at 4K a
// whole frame is millions of pixels, a frame's sprites a fraction of that.
class TFramePresenter
{
public:
    struct TDrawnSprite
    {
        QRect Rect;
        const void *Picture;
        int Frame;
        bool operator==(const TDrawnSprite &) const = default;
    };

    // A new frame is being drawn over the background: what the last one
    // drew is about to be erased.
    void BeginFrame(QSize field);
    // A sprite was drawn over `rect` (field pixels) showing `look` (its
    // picture's identity, frame and transparency folded in by the caller).
    void Drawn(const QRect &rect, const void *picture, int frame)
    {
        mDrawn.push_back({rect, picture, frame});
        mTiles.Mark(rect);
    }
    // The frame drawn since BeginFrame looks exactly like the one before:
    // every sprite the same picture and frame at the same place.
    bool SameAsLastFrame() const { return mSameAsLast && mDrawn == mLastDrawn; }
    // The window's image may no longer hold the last frame (a new
    // background, size, or the box shown again): the next frame goes whole.
    void Invalidate() { mValid = mFieldKept = false; }

    // GUI thread, from the box's paintEvent: draws `frame` for a box of
    // `box` logical pixels at `devicePixelRatio`, `dirty` being the region
    // repainted.
    void Present(QPainter &painter, const QImage &frame, QSize box, qreal devicePixelRatio,
                 const QRegion &dirty);

    // Before BeginFrame: the sprites of the last frame of a field of
    // `field` pixels whose background has not changed since, so that only
    // their places need the background again; null when all of it does.
    const std::vector<TDrawnSprite> *LastFrame(QSize field) const
    {
        return mFieldKept && field == mTiles.Size() ? &mDrawn : nullptr;
    }

private:
    bool PresentDuplicated(QPainter &painter, const QImage &frame, const TFieldScale &scale,
                           const QRegion &dirty);

    TDirtyTiles mTiles;
    // This frame's sprites and the last one's; kept between frames, so no allocations.
    std::vector<TDrawnSprite> mDrawn;
    std::vector<TDrawnSprite> mLastDrawn;
    bool mFieldKept = false;  // no new background or size since the last frame
    bool mSameAsLast = false; // nor before this one
    // The window's image and place the last whole frame went to.
    const uchar *mTargetBits = nullptr;
    QSize mTargetSize;
    QPoint mTargetOrigin;
    int mTargetFactor = 0;
    bool mValid = false;
};
