#pragma once

#include "sprites/Sprite.h"

#include <memory>
#include <vector>

// A list that owns its sprites: clearing or destroying it frees them, and
// each freed sprite first leaves any box that draws it.
class TSpriteList
{
public:
    TSpriteList() = default;
    TSpriteList(const TSpriteList &) = delete;
    TSpriteList &operator=(const TSpriteList &) = delete;
    ~TSpriteList() { Clear(); }

    TSprite *Items(int index) const { return mItems.at(std::size_t(index)).get(); }
    int Count() const { return int(mItems.size()); }
    // Appends a sprite and takes it over; returns it.
    TSprite *Add(std::unique_ptr<TSprite> sprite);
    TSprite *AddNew();
    // The first sprite in list order whose Kind is `kind`, or none.
    TSprite *FindKind(int32_t kind) const;
    // Frees every sprite in list order, then leaves the list empty.
    void Clear();
    // Takes a sprite out of the list without freeing it; empty when the
    // sprite is not in the list.
    std::unique_ptr<TSprite> Extract(TSprite *sprite);
    int IndexOf(const TSprite *sprite) const;

private:
    std::vector<std::unique_ptr<TSprite>> mItems;
};
