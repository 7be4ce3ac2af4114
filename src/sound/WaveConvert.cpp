#include "sound/WaveConvert.h"

#include "sound/MixerError.h"

#include <cstring>
#include <new>

namespace WaveConvert {

std::unique_ptr<uint8_t[]> Allocate(int64_t length)
{
    if (length < 0 || length > INT32_MAX)
        throw EMixerError(MixMessage::Memory);
    try {
        return std::unique_ptr<uint8_t[]>(new uint8_t[size_t(length > 0 ? length : 1)]);
    } catch (const std::bad_alloc &) {
        throw EMixerError(MixMessage::Memory);
    }
}

namespace {
void Replace(TSampleBuffer &buffer, std::unique_ptr<uint8_t[]> data, int64_t length)
{
    buffer.Data = std::move(data);
    buffer.Length = int32_t(length);
}

bool ValidWidth(int bits)
{
    return bits == 8 || bits == 16;
}
} // namespace

void ToOutputFormat(TSampleBuffer &buffer, const TPcmFormat &source, const TPcmFormat &output)
{
    if (source.Channels == output.Channels && source.SamplesPerSec == output.SamplesPerSec
        && source.BitsPerSample == output.BitsPerSample)
        return;
    Width(buffer, source.BitsPerSample, output.BitsPerSample);
    Channels(buffer, source.Channels, output.Channels);
    Rate(buffer, int32_t(source.SamplesPerSec), int32_t(output.SamplesPerSec), output.Channels);
}

int64_t ConvertedLength(int64_t length, const TPcmFormat &source, const TPcmFormat &output)
{
    if (source.Channels == output.Channels && source.SamplesPerSec == output.SamplesPerSec
        && source.BitsPerSample == output.BitsPerSample)
        return length;
    if (!ValidWidth(source.BitsPerSample) || !ValidWidth(output.BitsPerSample))
        throw EMixerError(MixMessage::FormatNotSupported);
    if (source.BitsPerSample != output.BitsPerSample)
        length /= 2;
    if (source.Channels != output.Channels) {
        if (source.Channels == 1 && output.Channels == 2)
            length *= 2;
        else if (source.Channels == 2 && output.Channels == 1)
            length /= 2;
        else
            throw EMixerError(MixMessage::FormatNotSupported);
    }
    // The same 32-bit rates Rate() works with.
    const int64_t sourceRate = int32_t(source.SamplesPerSec);
    const int64_t outputRate = int32_t(output.SamplesPerSec);
    if (sourceRate == outputRate)
        return length;
    if (sourceRate <= 0 || outputRate <= 0 || output.Channels <= 0)
        throw EMixerError(MixMessage::FormatNotSupported);
    const int64_t frames = length / output.Channels;
    if (sourceRate < outputRate)
        return frames * (outputRate / sourceRate) * output.Channels;
    return frames / ((sourceRate + outputRate / 2) / outputRate) * output.Channels;
}

void Width(TSampleBuffer &buffer, int sourceBits, int outputBits)
{
    if (!ValidWidth(sourceBits) || !ValidWidth(outputBits)) {
        buffer = TSampleBuffer{};
        throw EMixerError(MixMessage::FormatNotSupported);
    }
    if (sourceBits == outputBits)
        return;
    // The signed sample's upper byte moved into the unsigned range.
    const int32_t samples = buffer.Length / 2;
    auto data = Allocate(samples);
    for (int32_t i = 0; i < samples; ++i)
        data[size_t(i)] = uint8_t(buffer.Data[size_t(2 * i + 1)] + 128);
    Replace(buffer, std::move(data), samples);
}

void Channels(TSampleBuffer &buffer, int sourceChannels, int outputChannels)
{
    if (sourceChannels == outputChannels)
        return;
    const uint8_t *in = buffer.Data.get();
    if (sourceChannels == 1 && outputChannels == 2) {
        const int64_t length = int64_t(buffer.Length) * 2;
        auto data = Allocate(length);
        for (int32_t i = 0; i < buffer.Length; ++i)
            data[size_t(2 * i)] = data[size_t(2 * i + 1)] = in[i];
        Replace(buffer, std::move(data), length);
        return;
    }
    if (sourceChannels == 2 && outputChannels == 1) {
        const int32_t frames = buffer.Length / 2;
        auto data = Allocate(frames);
        for (int32_t i = 0; i < frames; ++i)
            data[size_t(i)] = uint8_t((in[2 * i] + in[2 * i + 1]) / 2);
        Replace(buffer, std::move(data), frames);
        return;
    }
    buffer = TSampleBuffer{};
    throw EMixerError(MixMessage::FormatNotSupported);
}

void Rate(TSampleBuffer &buffer, int32_t sourceRate, int32_t outputRate, int channels)
{
    if (sourceRate == outputRate)
        return;
    if (sourceRate <= 0 || outputRate <= 0 || channels <= 0) {
        buffer = TSampleBuffer{};
        throw EMixerError(MixMessage::FormatNotSupported);
    }
    const uint8_t *in = buffer.Data.get();
    const int32_t frames = buffer.Length / channels;
    if (sourceRate < outputRate) {
        const int32_t k = outputRate / sourceRate;
        const int64_t length = int64_t(frames) * k * channels;
        auto data = Allocate(length);
        uint8_t *out = data.get();
        for (int32_t f = 0; f < frames; ++f) {
            const bool last = f == frames - 1;
            for (int32_t j = 0; j < k; ++j) {
                for (int c = 0; c < channels; ++c) {
                    const int sample = in[f * channels + c];
                    const int step = last ? 0 : (in[(f + 1) * channels + c] - sample) / k;
                    *out++ = uint8_t(sample + j * step);
                }
            }
        }
        Replace(buffer, std::move(data), length);
        return;
    }
    // The ratio rounded to the nearest whole number; leftover frames are dropped.
    const int32_t k = int32_t((int64_t(sourceRate) + outputRate / 2) / outputRate);
    const int32_t outFrames = frames / k;
    const int64_t length = int64_t(outFrames) * channels;
    auto data = Allocate(length);
    for (int32_t f = 0; f < outFrames; ++f) {
        const uint8_t *group = in + int64_t(f) * k * channels;
        for (int c = 0; c < channels; ++c) {
            uint8_t &dest = data[size_t(f * channels + c)];
            if (f == outFrames - 1) {
                dest = group[c];
                continue;
            }
            int sum = 0;
            for (int32_t j = 0; j < k; ++j)
                sum += group[j * channels + c] - 128;
            dest = uint8_t(128 + sum / k);
        }
    }
    Replace(buffer, std::move(data), length);
}

} // namespace WaveConvert
