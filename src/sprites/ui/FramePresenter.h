#pragma once

#include "sprites/ui/DirtyTiles.h"
#include "sprites/ui/FieldScale.h"
#include "sprites/ui/SharpScale.h"

#include <QImage>
#include <QRect>
#include <QRegion>

#include <vector>

class QPainter;

// Shows a sprite box's finished frame in the box, scaled to fit with black
// bands around it. It tells the box which part of it a new frame changed,
// so that only the tiles sprites left or reached are repainted and reach
// the display server: at 4K a whole frame is millions of pixels, a frame's
// sprites a fraction of that. Into the window's own image it writes the
// scaled pixels itself, only those of the repainted area.
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
    void Drawn(const QRect &rect, const void *picture, int frame) { mDrawn.push_back({rect, picture, frame}); }
    // The frame drawn since BeginFrame looks exactly like the one before:
    // every sprite the same picture and frame at the same place.
    bool SameAsLastFrame() const { return mSameAsLast && mDrawn == mLastDrawn; }
    // A new background or size: the next frame changes all of the field.
    void Invalidate()
    {
        mFieldKept = false;
        mAllChanged = true;
    }

    // Before TakeChanged, with the finished frame: the tiles sprites
    // touched whose pixels came out as they were when last taken are not
    // repainted (a glide moves many tiles of see-through or even colour).
    void KeepChangedTiles(const QImage &frame);

    // Calls `repaint(rect)` for each part of a box of `box` logical pixels
    // at `devicePixelRatio` that the frames drawn since the last call
    // changed: the area to repaint. Allocates nothing.
    template <typename Repaint>
    void TakeChanged(QSize box, qreal devicePixelRatio, TScaling scaling, Repaint &&repaint)
    {
        MarkChanges();
        const TFieldScale scale(mTiles.Size(), box, devicePixelRatio, scaling);
        if (mAllChanged)
            repaint(scale.TargetRect().toAlignedRect());
        else
            mTiles.ForEachRun([&](const QRect &part) { repaint(scale.TargetRectOf(part)); });
        mTiles.Clear();
        mAllChanged = false;
    }

    // GUI thread, from the box's paintEvent: draws `frame` for a box of
    // `box` logical pixels at `devicePixelRatio`, `dirty` being the region
    // repainted.
    void Present(QPainter &painter, const QImage &frame, QSize box, qreal devicePixelRatio,
                 TScaling scaling, const QRegion &dirty);

    // Before BeginFrame: the sprites of the last frame of a field of
    // `field` pixels whose background has not changed since, so that only
    // their places need the background again; null when all of it does.
    const std::vector<TDrawnSprite> *LastFrame(QSize field) const
    {
        return mFieldKept && field == mTiles.Size() ? &mDrawn : nullptr;
    }

private:
    // Marks where the frame drawn last differs from the one before: the
    // places of sprites that moved, changed, came or went. Pictures never
    // change in place, so a sprite with the same picture, frame and place
    // draws the same pixels; most of a glide leaves homes and score alone.
    void MarkChanges();
    bool PresentDirect(QPainter &painter, const QImage &frame, const TFieldScale &scale,
                       const QRegion &dirty);

    TDirtyTiles mTiles;
    // This frame's sprites and the last one's; kept between frames, so no allocations.
    std::vector<TDrawnSprite> mDrawn;
    std::vector<TDrawnSprite> mLastDrawn;
    bool mFieldKept = false;  // no new background or size since the last frame
    bool mSameAsLast = false; // nor before this one
    bool mAllChanged = true;  // since the last TakeChanged
    bool mUnmarked = false;   // the frame drawn last is not marked yet
    TSharpScale mScale;
    // The frame as last taken, tile by tile, to compare the next one with.
    QImage mTaken;
    // The scaled frame, for painters that are not on the window's image.
    QImage mScaled;
};
