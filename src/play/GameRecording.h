#pragma once

#include "play/KeyState.h"
#include "play/RulesVersion.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

// One player's game as it was played: where the random streams stood when
// it started, the design it was played on and the game keys held at each
// tick. That is all the rules read, so playing it again gives the same game.
struct TGameRecording {
    static constexpr int CurrentFormat = 1;
    // Bits of one tick's keys.
    enum : std::uint8_t { HeldLeft = 1, HeldRight = 2, HeldSpace = 4 };

    int Format = CurrentFormat;
    int Rules = kRulesVersion;
    std::uint32_t Seed = 0;
    std::uint32_t LookSeed = 0;
    QString Design{};
    // Of the design's own files as they were loaded (DesignFilesHash).
    QString DesignHash{};
    // The high-score entry the game earned; empty until it has one.
    QString Entry{};
    std::int32_t Score = 0;
    // When the game ended; invalid when not known.
    QDateTime Played{};
    std::vector<std::uint8_t> Keys{};

    static std::uint8_t HeldMask(const TKeyState &keys);
    // Holds exactly the keys of `mask` in `keys`.
    static void Hold(TKeyState &keys, std::uint8_t mask);

    // A small text file: a few header lines and the keys run-length coded.
    QByteArray Serialize() const;
    // EReplayError when the text is not a recording or is damaged.
    static TGameRecording Parse(const QByteArray &text);
    static bool IsRecording(const QByteArray &head);

    // The same game as replay-script lines (seed, new, ticks), to run once
    // its design is the game's: a design name may hold a script's "#".
    QStringList ScriptLines() const;
};
