#pragma once

#include <cstdint>

// The game cycle's modes; the values are stored and traced, keep them.
enum TGameStateValue : std::uint32_t {
    gsNotShown = 0,
    gsGameOver = 1,
    gsPlaying = 2,
    gsStopped = 3,
    gsDemo = 4,
    gsApplyingDesign = 5,
    gsAttract = 6,
    gsAttractWaiting = 7,
};
