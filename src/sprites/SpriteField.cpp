#include "sprites/SpriteField.h"

#include <algorithm>
#include <utility>

TSpriteField::~TSpriteField()
{
    Clear();
    // Taken out first: the handler unhooks itself from this field.
    if (const std::function<void()> gone = std::exchange(mOnGone, nullptr))
        gone();
}

void TSpriteField::Clear()
{
    for (TSprite *sprite : mSprites) {
        auto &fields = sprite->mFields;
        fields.erase(std::remove(fields.begin(), fields.end(), this), fields.end());
    }
    mSprites.clear();
}

void TSpriteField::AddSprite(TSprite *sprite)
{
    if (!sprite || std::find(mSprites.begin(), mSprites.end(), sprite) != mSprites.end())
        return;
    mSprites.push_back(sprite);
    sprite->mFields.push_back(this);
    // Not drawn here yet, whatever another field or an earlier stay did.
    sprite->mDrawnInStep = false;
}

void TSpriteField::RemoveSprite(TSprite *sprite)
{
    const auto it = std::find(mSprites.begin(), mSprites.end(), sprite);
    if (it == mSprites.end())
        return;
    mSprites.erase(it);
    auto &fields = sprite->mFields;
    fields.erase(std::remove(fields.begin(), fields.end(), this), fields.end());
}

void TSpriteField::SetBeforeSprtMove(TSpriteEvent handler)
{
    mBeforeSprtMove = handler ? std::make_shared<const TSpriteEvent>(std::move(handler)) : nullptr;
}

void TSpriteField::SetAfterSprtMove(TSpriteEvent handler)
{
    mAfterSprtMove = handler ? std::make_shared<const TSpriteEvent>(std::move(handler)) : nullptr;
}

void TSpriteField::SetShown(bool shown)
{
    mShown = shown;
    if (mOnShown)
        mOnShown(shown);
}

TSprite *TSpriteField::FindSprite(int32_t kind, const TSpriteRect &rect) const
{
    for (TSprite *sprite : mSprites)
        if (sprite->Enabled() && sprite->Kind() == kind && RectsIntersect(sprite->Bounds(), rect))
            return sprite;
    return nullptr;
}

void TSpriteField::Step()
{
    if (mStepping)
        return;
    mStepping = true;
    struct TReset
    {
        bool &Flag;
        ~TReset() { Flag = false; }
    } reset{mStepping};
    MoveSprites();
    if (mOnStepped)
        mOnStepped();
}

void TSpriteField::MoveSprites()
{
    const std::size_t count = mSprites.size();
    for (std::size_t i = 0; i < count; ++i) {
        // Sprites are not removed during a step, but a freed one would
        // shorten the list: never read past its end.
        if (i >= mSprites.size())
            break;
        TSprite *sprite = mSprites[i];
        if (!sprite->Enabled())
            continue;
        Fire(mBeforeSprtMove, sprite);
        sprite->DoMove();
        Fire(mAfterSprtMove, sprite);
    }
}

void TSpriteField::Fire(const THandler &handler, TSprite *sprite)
{
    if (handler) {
        const THandler keep = handler;
        (*keep)(sprite);
    }
}
