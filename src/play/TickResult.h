#pragma once

#include "play/Cue.h"

#include <cstdint>
#include <optional>
#include <vector>

// What the rules did since the window last asked: the window plays the
// cues and takes care of what the game's end means for the player.
struct TTickResult {
    // In the order the rules played them.
    std::vector<TCue> Cues;
    // A game (or a demo) has just ended with this score.
    std::optional<std::int32_t> GameEnded;
    // The last ship of a level was shot.
    bool LevelCleared = false;
    // A game or a demo has started: it wants the design's sounds.
    bool GameStarted = false;
    // A game (not a demo) finished its game-over wait with this score: the
    // player may enter a name.
    std::optional<std::int32_t> HighScoreEntry;
};
