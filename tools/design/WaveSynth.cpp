#include "WaveSynth.h"

#include <QFile>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

double Oscillate(TSynth::Wave wave, double phase)
{
    const double p = phase - std::floor(phase);
    switch (wave) {
    case TSynth::Wave::Square:
        return p < 0.5 ? 1.0 : -1.0;
    case TSynth::Wave::Triangle:
        return p < 0.5 ? 4 * p - 1 : 3 - 4 * p;
    case TSynth::Wave::Sine:
        return std::sin(2 * M_PI * p);
    case TSynth::Wave::Noise:
        break;
    }
    return 0;
}

double Envelope(double t, double length, double decay)
{
    const double attack = std::min(0.005, length / 4);
    const double a = t < attack ? t / attack : 1.0;
    const double tail = std::max(0.0, 1.0 - t / length); // reaches zero at the end: no click
    return a * std::exp(-decay * t / length) * tail;
}

void PutLE(QByteArray &out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

} // namespace

float &TSynth::At(int index)
{
    if (index >= int(mSamples.size()))
        mSamples.resize(index + 1, 0.0f);
    return mSamples[index];
}

void TSynth::Tone(double at, double length, double f0, double f1, Wave wave, double volume, double decay)
{
    const int start = int(at * SynthRate), count = int(length * SynthRate);
    double phase = 0;
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / SynthRate;
        const double f = f0 + (f1 - f0) * (double(i) / count);
        phase += f / SynthRate;
        At(start + i) += float(volume * Envelope(t, length, decay) * Oscillate(wave, phase));
    }
}

void TSynth::Noise(double at, double length, double brightness, double volume, double decay)
{
    const int start = int(at * SynthRate), count = int(length * SynthRate);
    double low = 0;
    for (int i = 0; i < count; ++i) {
        mNoise = mNoise * 1664525u + 1013904223u;
        const double white = double(mNoise >> 8) / double(1u << 24) * 2 - 1;
        // Brightness fades as the burst dies away, like a real blast.
        const double k = brightness * (1.0 - 0.7 * double(i) / count) + 0.02;
        low += k * (white - low);
        const double t = double(i) / SynthRate;
        At(start + i) += float(volume * Envelope(t, length, decay) * low * 1.8);
    }
}

void TSynth::Note(double at, double length, int semitone, Wave wave, double volume)
{
    const double f = 440.0 * std::pow(2.0, semitone / 12.0);
    Tone(at, length, f, f, wave, volume, 1.2);
}

std::vector<std::uint8_t> TSynth::ToUnsigned8() const
{
    std::vector<std::uint8_t> out(mSamples.size());
    for (size_t i = 0; i < mSamples.size(); ++i) {
        const double v = std::clamp(double(mSamples[i]), -1.0, 1.0);
        out[i] = std::uint8_t(std::lround(128 + v * 127));
    }
    return out;
}

void WriteWave(const QString &path, const std::vector<std::uint8_t> &samples)
{
    QByteArray data;
    const std::uint32_t size = std::uint32_t(samples.size());
    data.append("RIFF");
    PutLE(data, 36 + size + (size & 1), 4);
    data.append("WAVEfmt ");
    PutLE(data, 16, 4);
    PutLE(data, 1, 2);         // PCM
    PutLE(data, 1, 2);         // mono
    PutLE(data, SynthRate, 4);
    PutLE(data, SynthRate, 4); // bytes per second
    PutLE(data, 1, 2);         // block align
    PutLE(data, 8, 2);         // bits per sample
    data.append("data");
    PutLE(data, size, 4);
    data.append(reinterpret_cast<const char *>(samples.data()), qsizetype(size));
    if (size & 1)
        data.append(char(0x80)); // chunks are padded to even length
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
        throw std::runtime_error(QStringLiteral("%1: cannot write").arg(path).toStdString());
}
