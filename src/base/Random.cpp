#include "Random.h"

#include <chrono>

namespace {

// A 32-bit linear congruential generator: tiny, fast and the same on every
// platform, so a seeded game replays identically everywhere.
std::uint32_t gState = 1;
std::uint32_t gLookState = 1;

std::int32_t Draw(std::uint32_t &state, std::int32_t n)
{
    if (n <= 0)
        return 0;
    state = state * 134775813u + 1u;
    return static_cast<std::int32_t>((static_cast<std::uint64_t>(state) * static_cast<std::uint32_t>(n)) >> 32);
}

} // namespace

namespace Random {

void Randomize()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    Seed(static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
}

void Seed(std::uint32_t seed)
{
    gState = seed;
    // Another start on the same cycle, so the two streams do not echo each other.
    gLookState = seed ^ 0x9E3779B9u;
}

std::uint32_t State()
{
    return gState;
}

std::uint32_t LookState()
{
    return gLookState;
}

void SetState(std::uint32_t state, std::uint32_t lookState)
{
    gState = state;
    gLookState = lookState;
}

std::int32_t Below(std::int32_t n)
{
    return Draw(gState, n);
}

std::int32_t LookBelow(std::int32_t n)
{
    return Draw(gLookState, n);
}

} // namespace Random
