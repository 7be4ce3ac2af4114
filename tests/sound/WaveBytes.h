#pragma once

#include "sound/MixerTypes.h"

#include <QByteArray>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

// Builders for wave files and waves used across the sound tests.
namespace WaveBytes {

inline void Put16(QByteArray &out, uint32_t v)
{
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}

inline void Put32(QByteArray &out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

inline QByteArray Chunk(const char *id, const QByteArray &body, int64_t claimedSize = -1)
{
    QByteArray out(id, 4);
    Put32(out, uint32_t(claimedSize < 0 ? body.size() : claimedSize));
    out.append(body);
    if (body.size() % 2)
        out.append('\0');
    return out;
}

inline QByteArray Fmt(int channels, int rate, int bits, int tag = 1, int extraBytes = 0)
{
    QByteArray body;
    Put16(body, uint32_t(tag));
    Put16(body, uint32_t(channels));
    Put32(body, uint32_t(rate));
    Put32(body, uint32_t(rate * channels * bits / 8));
    Put16(body, uint32_t(channels * bits / 8));
    Put16(body, uint32_t(bits));
    for (int i = 0; i < extraBytes; ++i)
        body.append('\0');
    return Chunk("fmt ", body);
}

inline QByteArray Riff(const QByteArray &chunks)
{
    QByteArray out("RIFF");
    Put32(out, uint32_t(chunks.size() + 4));
    out.append("WAVE");
    out.append(chunks);
    return out;
}

inline QByteArray Wav(int channels, int rate, int bits, const QByteArray &data)
{
    return Riff(Fmt(channels, rate, bits) + Chunk("data", data));
}

inline QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(uint8_t(v)));
    return out;
}

inline QByteArray Samples16(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        Put16(out, uint32_t(uint16_t(int16_t(v))));
    return out;
}

// A wave already in the output format, as MixLoadWave would give it.
inline std::unique_ptr<TLoadedWave> Loaded(const QByteArray &bytes)
{
    auto wave = std::make_unique<TLoadedWave>();
    wave->Data.reset(new uint8_t[size_t(bytes.size())]);
    std::copy(bytes.begin(), bytes.end(), wave->Data.get());
    wave->Length = int32_t(bytes.size());
    return wave;
}

inline QByteArray Filled(int length, int value)
{
    return QByteArray(length, char(uint8_t(value)));
}

// Bytes that differ from their neighbours, so a misplaced offset shows.
inline QByteArray Ramp(int length, int seed = 0)
{
    QByteArray out;
    for (int i = 0; i < length; ++i)
        out.append(char(uint8_t((i * 7 + seed) % 251)));
    return out;
}

} // namespace WaveBytes
