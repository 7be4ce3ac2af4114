#pragma once

#include <QString>

class TGameRound;

// The round's state after tick `tick` as one compact JSON line: what the
// scripted run writes per tick and what tests compare runs by.
QString RoundTraceLine(const TGameRound &round, int tick);
