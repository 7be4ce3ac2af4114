#pragma once

#include <QString>

class TGameCycle;

// The round's state and the cycle's mode after tick `tick` as one compact
// JSON line: what the scripted run writes per tick and what tests compare
// runs by.
QString RoundTraceLine(const TGameCycle &cycle, int tick);
