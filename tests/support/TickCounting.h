#pragma once

#include "sprites/Sprite.h"
#include "sprites/SpriteList.h"

#include <functional>

// Runs `tick` until `done` holds; returns the ticks it took, or -1 when it
// never did within `limit`.
inline int TicksUntil(const std::function<void()> &tick, const std::function<bool()> &done, int limit)
{
    for (int ticks = 1; ticks <= limit; ++ticks) {
        tick();
        if (done())
            return ticks;
    }
    return -1;
}

inline int EnabledCount(const TSpriteList &list)
{
    int count = 0;
    for (int i = 0; i < list.Count(); ++i)
        count += list.Items(i)->Enabled() ? 1 : 0;
    return count;
}
