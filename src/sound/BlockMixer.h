#pragma once

#include "sound/PlayQueue.h"

#include <cstdint>

// Mixing of queued plays into output bytes: integer arithmetic over whole
// segments, a segment ending only where a play starts, ends or repeats.
namespace BlockMixer {

// Fills `out` with stream positions [position, position + length) of the
// open channels' queues. False, with `out` untouched, when no play is
// current at `position`.
bool MixBlock(const TChannelTable &channels, int32_t position, uint8_t *out, int32_t length);

// out = 128 + sum(source - 128), clamped to 0..255; one source is copied.
void MixSources(uint8_t *out, const uint8_t *const *sources, int count, int32_t length);

// Whether the play has nothing left to contribute at `position`.
bool IsOver(const TQueuedPlay &play, int64_t position);

} // namespace BlockMixer
