#pragma once

#include <cstdint>

// The one random generator of the process. It is seeded from the clock at
// start-up; tests and the scripted run seed it for repeatable games.
namespace Random {

void Randomize();                 // seed from the clock
void Seed(std::uint32_t seed);
// Where the two streams stand, and putting them back there: a recorded
// game starts from the streams as they were.
std::uint32_t State();
std::uint32_t LookState();
void SetState(std::uint32_t state, std::uint32_t lookState);
// Uniform in 0 .. n-1; 0 when n <= 0.
std::int32_t Below(std::int32_t n);
// The same from a second stream, for choices that only change the look
// (which photo a ship shows): the game's own draws never depend on a
// design's photos. Seed and Randomize seed both streams.
std::int32_t LookBelow(std::int32_t n);

} // namespace Random
