#pragma once

#include <QString>

#include <cstdint>
#include <vector>

// Sound cues are synthesised at the mixer's native format: PCM, mono,
// 8-bit unsigned, 11025 samples per second.
constexpr int SynthRate = 11025;

class TSynth
{
public:
    enum class Wave { Square, Triangle, Sine, Noise };

    // Adds a tone whose pitch glides from f0 to f1 (Hz) with a quick attack
    // and an exponential-ish release; `at` and `length` in seconds.
    void Tone(double at, double length, double f0, double f1, Wave wave, double volume,
              double decay = 3.0);
    // Low-passed noise burst, `brightness` 0..1.
    void Noise(double at, double length, double brightness, double volume, double decay = 4.0);
    // A note of a tune by semitone offset from A4 (440 Hz).
    void Note(double at, double length, int semitone, Wave wave, double volume);

    std::vector<std::uint8_t> ToUnsigned8() const;
    double Length() const { return double(mSamples.size()) / SynthRate; }

private:
    float &At(int index);
    std::vector<float> mSamples;
    std::uint32_t mNoise = 0x1234567u;
};

void WriteWave(const QString &path, const std::vector<std::uint8_t> &samples);
