#pragma once

// The game's seven sounds. Each number is the design's sound file of that
// number (Sound1.wav ... Sound7.wav) and the mixer channel it plays on.
enum class TCue : int {
    Fire = 1,         // a rocket leaves the cannon
    ShipHit = 2,      // a rocket hits a ship
    StepDown = 3,     // the formation drops a row
    LevelCleared = 4, // the last ship of a level is gone
    CanonHit = 5,     // a bomb hits the cannon
    GameOver = 6,
    Attract = 7,      // the attract screen comes up
};

constexpr int CueCount = 7;

constexpr int CueNumber(TCue cue)
{
    return static_cast<int>(cue);
}
