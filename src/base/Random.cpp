#include "Random.h"

#include <chrono>

namespace {

// A 32-bit linear congruential generator: tiny, fast and the same on every
// platform, so a seeded game replays identically everywhere.
std::uint32_t gState = 1;

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
}

std::int32_t Below(std::int32_t n)
{
    if (n <= 0)
        return 0;
    gState = gState * 134775813u + 1u;
    return static_cast<std::int32_t>((static_cast<std::uint64_t>(gState) * static_cast<std::uint32_t>(n)) >> 32);
}

} // namespace Random
