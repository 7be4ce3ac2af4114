#pragma once

#include "play/KeyBindings.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <vector>

class EReplayError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// One line of a replay script, read:
//
//   seed N [LOOK] | design NAME | new | demo | stop | pause
//   tick N [Left] [Right] [Space] | name TEXT | snap FILE
//
// "#" starts a comment. The scripted run and the tests read scripts here,
// so the two never disagree on what a line means.
struct TReplayCommand {
    enum class TKind { Seed, Design, New, Demo, Stop, Pause, Tick, Name, Snap };

    TKind Kind = TKind::New;
    // The design, the player's name or the picture file: the rest of the line.
    QString Text{};
    std::uint32_t Seed = 0;
    // "seed" with a second number: where the look stream starts.
    std::optional<std::uint32_t> LookSeed{};
    int Count = 0;
    // The keys held through the ticks.
    std::vector<TGameKey> Keys{};

    // Null for a blank or comment line; EReplayError for a bad one.
    static std::optional<TReplayCommand> Parse(const QString &line);
};
