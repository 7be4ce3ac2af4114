#pragma once

#include "sound/PlayQueue.h"

#include <cstdint>

// Mixing of queued plays into output bytes: integer arithmetic over whole
// segments, a segment ending only where a play starts, ends or repeats.
namespace BlockMixer {

inline constexpr int FullVolume = 100;

// Fills `out` with stream positions [position, position + length) of the
// open channels' queues. False, with `out` untouched, when no play is
// current at `position`.
// `volume` (0..100 %) scales the mixed sum around silence.
bool MixBlock(const TChannelTable &channels, int32_t position, uint8_t *out, int32_t length,
              int volume = FullVolume);

// out = 128 + sum(source - 128) * volume / 100, clamped to 0..255; at full
// volume one source is copied.
void MixSources(uint8_t *out, const uint8_t *const *sources, int count, int32_t length,
                int volume = FullVolume);

// Whether the play has nothing left to contribute at `position`.
bool IsOver(const TQueuedPlay &play, int64_t position);

} // namespace BlockMixer
