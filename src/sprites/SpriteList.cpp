#include "sprites/SpriteList.h"

#include <algorithm>

TSprite *TSpriteList::Add(std::unique_ptr<TSprite> sprite)
{
    if (!sprite)
        return nullptr;
    mItems.push_back(std::move(sprite));
    return mItems.back().get();
}

TSprite *TSpriteList::AddNew()
{
    return Add(std::make_unique<TSprite>());
}

TSprite *TSpriteList::FindKind(int32_t kind) const
{
    for (const auto &sprite : mItems)
        if (sprite->Kind() == kind)
            return sprite.get();
    return nullptr;
}

void TSpriteList::Clear()
{
    // The list is emptied before any sprite dies, so nothing a dying
    // sprite sets off can reach a half-freed list.
    std::vector<std::unique_ptr<TSprite>> items;
    items.swap(mItems);
    for (auto &sprite : items)
        sprite.reset();
}

std::unique_ptr<TSprite> TSpriteList::Extract(TSprite *sprite)
{
    const int index = IndexOf(sprite);
    if (index < 0)
        return nullptr;
    std::unique_ptr<TSprite> taken = std::move(mItems[std::size_t(index)]);
    mItems.erase(mItems.begin() + index);
    return taken;
}

int TSpriteList::IndexOf(const TSprite *sprite) const
{
    const auto it = std::find_if(mItems.begin(), mItems.end(),
                                 [sprite](const auto &item) { return item.get() == sprite; });
    return it == mItems.end() ? -1 : int(it - mItems.begin());
}
