#pragma once

#include "sound/MixerTypes.h"

#include <cstdint>
#include <memory>

// Sample data being converted; each step replaces it with a new buffer.
struct TSampleBuffer
{
    std::unique_ptr<uint8_t[]> Data;
    int32_t Length = 0;
};

// One-time conversion of wave data to the mixer's output format: width,
// then channels, then rate by whole-number factors. Raises EMixerError.
namespace WaveConvert {

void ToOutputFormat(TSampleBuffer &buffer, const TPcmFormat &source, const TPcmFormat &output);

// The length ToOutputFormat gives `length` bytes of `source` data, worked
// out without touching any data. Raises EMixerError for formats it refuses.
int64_t ConvertedLength(int64_t length, const TPcmFormat &source, const TPcmFormat &output);

// No wave converts to more than this (about six minutes of 44100 Hz stereo).
inline constexpr int64_t MaxConvertedLength = 32LL * 1024 * 1024;
// Below this a "sound" is no sound, and up-sampling it would multiply its size.
inline constexpr uint32_t MinSourceRate = 4000;

// The single steps, each a no-op when the property already matches.
void Width(TSampleBuffer &buffer, int sourceBits, int outputBits);
void Channels(TSampleBuffer &buffer, int sourceChannels, int outputChannels);
void Rate(TSampleBuffer &buffer, int32_t sourceRate, int32_t outputRate, int channels);

// Allocates `length` bytes, raising the memory message on failure.
std::unique_ptr<uint8_t[]> Allocate(int64_t length);

} // namespace WaveConvert
