#pragma once

// Raised whenever a change to the rules would play a recorded game
// differently (the fixed-seed trace changes): older recordings then say
// they cannot be shown instead of showing a different game.
constexpr int kRulesVersion = 1;
