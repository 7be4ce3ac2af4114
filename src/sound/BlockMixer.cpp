#include "sound/BlockMixer.h"

#include <algorithm>
#include <cstring>

namespace BlockMixer {

bool IsOver(const TQueuedPlay &play, int64_t position)
{
    // A play of an empty wave, or one whose end lies before its start, has
    // nothing to contribute and must not hold up its channel.
    return play.End <= position || play.Length <= 0 || play.End <= play.Start;
}

namespace {

struct TCurrentSet
{
    TQueuedPlay *Plays[MixChannelCount];
    int Count = 0;

    // Moves every channel on past the plays over by `position`.
    void Advance(int64_t position)
    {
        int kept = 0;
        for (int i = 0; i < Count; ++i) {
            TQueuedPlay *play = Plays[i];
            while (play && IsOver(*play, position))
                play = play->Next;
            if (play)
                Plays[kept++] = play;
        }
        Count = kept;
    }

    int64_t NextStart() const
    {
        int64_t next = EndOfTime;
        for (int i = 0; i < Count; ++i)
            next = std::min<int64_t>(next, Plays[i]->Start);
        return next;
    }
};

} // namespace

bool MixBlock(const TChannelTable &channels, int32_t position, uint8_t *out, int32_t length,
              int volume)
{
    TCurrentSet current;
    for (const TChannel &channel : channels) {
        if (channel.Open && channel.Head)
            current.Plays[current.Count++] = channel.Head;
    }
    current.Advance(position);
    if (current.Count == 0)
        return false;

    const int64_t blockEnd = int64_t(position) + length;
    int64_t pos = position;
    int64_t next = current.NextStart();
    const uint8_t *sources[MixChannelCount];
    while (pos < blockEnd) {
        uint8_t *dest = out + (pos - position);
        if (pos < next) {
            const int64_t end = std::min(next, blockEnd);
            std::memset(dest, SilenceByte, size_t(end - pos));
            pos = end;
            continue;
        }
        int64_t segmentEnd = blockEnd;
        int sourceCount = 0;
        for (int i = 0; i < current.Count; ++i) {
            const TQueuedPlay &play = *current.Plays[i];
            if (play.Start > pos) {
                segmentEnd = std::min<int64_t>(segmentEnd, play.Start);
                continue;
            }
            segmentEnd = std::min<int64_t>(segmentEnd, play.End);
            int64_t offset = pos - play.Start;
            if (play.Params.Loops != 0)
                offset %= play.Length;
            // Never past the wave's data, whatever its end says.
            segmentEnd = std::min<int64_t>(segmentEnd, pos - offset + play.Length);
            sources[sourceCount++] = play.Data + offset;
        }
        MixSources(dest, sources, sourceCount, int32_t(segmentEnd - pos), volume);
        pos = segmentEnd;
        current.Advance(pos);
        next = current.NextStart();
    }
    return true;
}

namespace {

// Bytes mixed per step. A fixed count lets the compiler's cheapest
// vectorising model (the one -O2 uses) take each loop whole, with no
// scalar remainder of its own; only a block's last few bytes run scalar.
constexpr int32_t StepLength = 64;

// One step of `n` bytes from `at` on. The sum is kept in a local 16-bit
// array: eight sources stay within -896..1144, nothing aliases it, and the
// clamping is a plain min/max.
[[gnu::always_inline]] inline void MixStep(uint8_t *__restrict out,
                                           const uint8_t *const *sources, int count,
                                           int32_t at, int32_t n, int volume)
{
    int16_t sum[StepLength];
    const uint8_t *__restrict first = sources[0] + at;
    for (int32_t i = 0; i < n; ++i)
        sum[i] = int16_t(first[i]);
    for (int s = 1; s < count; ++s) {
        const uint8_t *__restrict source = sources[s] + at;
        for (int32_t i = 0; i < n; ++i)
            sum[i] = int16_t(sum[i] + source[i] - SilenceByte);
    }
    uint8_t *__restrict dest = out + at;
    if (volume == FullVolume) {
        for (int32_t i = 0; i < n; ++i)
            dest[i] = uint8_t(std::min<int16_t>(std::max<int16_t>(sum[i], 0), 255));
        return;
    }
    // Scaled before clamping, so a sum that clipped at full volume is
    // heard whole when turned down.
    for (int32_t i = 0; i < n; ++i) {
        const int32_t scaled = SilenceByte + (sum[i] - SilenceByte) * volume / FullVolume;
        dest[i] = uint8_t(std::min(std::max(scaled, 0), 255));
    }
}

} // namespace

void MixSources(uint8_t *out, const uint8_t *const *sources, int count, int32_t length,
                int volume)
{
    if (count == 1 && volume == FullVolume) {
        std::memcpy(out, sources[0], size_t(length));
        return;
    }
    const int32_t whole = length - length % StepLength;
    for (int32_t at = 0; at < whole; at += StepLength)
        MixStep(out, sources, count, at, StepLength, volume);
    if (whole < length)
        MixStep(out, sources, count, whole, length - whole, volume);
}

} // namespace BlockMixer
