#pragma once

#include "sprites/Sprite.h"

#include <QtGlobal>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// The game's world on one screen: the sprites it holds, one move step of
// them, and look-up by kind and place. It draws nothing; a TSpriteBox
// shows it. The field refers to its sprites but does not own them; a
// sprite that dies leaves the field.
class TSpriteField
{
public:
    TSpriteField() = default;
    TSpriteField(const TSpriteField &) = delete;
    TSpriteField &operator=(const TSpriteField &) = delete;
    ~TSpriteField();

    void AddSprite(TSprite *sprite);
    void RemoveSprite(TSprite *sprite);
    // Takes every sprite out, so that none keeps a pointer to the field.
    void Clear();
    int SpriteCount() const { return int(mSprites.size()); }
    TSprite *Sprite(int index) const { return mSprites.at(std::size_t(index)); }
    const std::vector<TSprite *> &Sprites() const { return mSprites; }

    void SetBeforeSprtMove(TSpriteEvent handler);
    void SetAfterSprtMove(TSpriteEvent handler);
    // Told after each step; the box that shows the field draws its frame.
    void SetOnStepped(std::function<void()> handler) { mOnStepped = std::move(handler); }

    // Whether the field is on the screen now; the box showing it follows
    // at once, so that a step right after showing draws a frame to show.
    bool Shown() const { return mShown; }
    void SetShown(bool shown);
    void SetOnShown(std::function<void(bool shown)> handler) { mOnShown = std::move(handler); }
    // Told as the field goes, so that a box showing it lets go of it.
    void SetOnGone(std::function<void()> handler) { mOnGone = std::move(handler); }

    // Moves every enabled sprite one step, then tells OnStepped. A step
    // asked for while one runs (a handler that processes events) is dropped.
    void Step();
    bool Stepping() const { return mStepping; }

    // The first enabled sprite of `kind` whose rectangle overlaps `rect`.
    TSprite *FindSprite(int32_t kind, const TSpriteRect &rect) const;

private:
    using THandler = std::shared_ptr<const TSpriteEvent>;

    void MoveSprites();
    static void Fire(const THandler &handler, TSprite *sprite);

    std::vector<TSprite *> mSprites;
    THandler mBeforeSprtMove;
    THandler mAfterSprtMove;
    std::function<void()> mOnStepped;
    std::function<void(bool)> mOnShown;
    std::function<void()> mOnGone;
    bool mStepping = false;
    bool mShown = false;
};
