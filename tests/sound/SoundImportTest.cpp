#include "WaveBytes.h"
#include "support/TempDir.h"

#include "sound/SoundImport.h"
#include "sound/WaveFile.h"

#include <QFile>

#include <sndfile.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

namespace {

// A sine tone written by libsndfile's own writer in `format`.
void WriteTone(const QString &path, int format, int rate, int channels, double seconds, double hertz,
               double amplitude)
{
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    const auto frames = std::size_t(seconds * rate);
    std::vector<double> samples(frames * std::size_t(channels));
    for (std::size_t f = 0; f < frames; ++f)
        for (int c = 0; c < channels; ++c)
            samples[f * std::size_t(channels) + std::size_t(c)] =
                amplitude * std::sin(2 * std::numbers::pi * hertz * double(f) / rate);
    EXPECT_EQ(sf_writef_double(file, samples.data(), sf_count_t(frames)), sf_count_t(frames));
    sf_close(file);
}

// The 16-bit samples of a wave ToWave made, after its 44-byte header.
std::vector<int16_t> Samples(const QByteArray &wave)
{
    std::vector<int16_t> samples(std::size_t(wave.size() - 44) / 2);
    std::memcpy(samples.data(), wave.constData() + 44, samples.size() * 2);
    return samples;
}

TPcmFormat MixerOutput(int rate)
{
    TPcmFormat format;
    format.SamplesPerSec = uint32_t(rate);
    format.AvgBytesPerSec = uint32_t(rate);
    return format;
}

class SoundImportTest : public ::testing::Test
{
protected:
    TempDir mDir;
};

TEST_F(SoundImportTest, EveryCommonKindBecomesAWaveTheMixerLoads)
{
    struct TKind
    {
        const char *Name;
        int Format;
        int Rate, Channels;
    };
    const TKind kinds[] = {
        {"u8.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 8000, 1},
        {"s16.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 22050, 2},
        {"s24.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 48000, 1},
        {"s32.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_32, 96000, 2},
        {"f32.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 44100, 2},
        {"f64.wav", SF_FORMAT_WAV | SF_FORMAT_DOUBLE, 32000, 1},
        {"ext.wav", SF_FORMAT_WAVEX | SF_FORMAT_PCM_24, 44100, 2},
        {"tone.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 44100, 2},
        {"tone.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 44100, 2},
        {"tone.mp3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, 44100, 2},
    };
    for (const TKind &kind : kinds) {
        SCOPED_TRACE(kind.Name);
        const QString path = mDir.File(kind.Name);
        WriteTone(path, kind.Format, kind.Rate, kind.Channels, 0.5, 440, 0.5);
        const TSoundFacts facts = SoundImport::Probe(path);
        EXPECT_EQ(facts.Rate, kind.Rate);
        EXPECT_NEAR(facts.Seconds(), 0.5, 0.1);

        const int32_t rate = SoundImport::TargetRate(facts.Rate, 22050);
        const QString converted = mDir.Write(QStringLiteral("out-%1.wav").arg(kind.Name),
                                             SoundImport::ToWave(path, rate, rate * 10));
        EXPECT_TRUE(SoundImport::PlayableAsIs(converted, 22050));
        const auto wave = LoadWaveFile(converted, MixerOutput(11025));
        EXPECT_EQ(wave->Format.BitsPerSample, 16);
        EXPECT_EQ(wave->Format.Channels, 1);
        // MP3 and Vorbis pad a little; the length stays about half a second.
        EXPECT_NEAR(wave->Length / 11025.0, 0.5, 0.08);
    }
}

// Pitch by zero crossings, level by RMS, over the steady middle part.
TEST_F(SoundImportTest, AFloatStereoToneKeepsItsPitchAndLevel)
{
    const QString path = mDir.File("a440.wav");
    WriteTone(path, SF_FORMAT_WAV | SF_FORMAT_FLOAT, 44100, 2, 2.0, 440, 0.5);
    const std::vector<int16_t> samples = Samples(SoundImport::ToWave(path, 11025, 11025 * 10));
    ASSERT_NEAR(double(samples.size()) / 11025, 2.0, 0.01);

    const std::size_t from = samples.size() / 4, to = samples.size() * 3 / 4;
    int crossings = 0;
    double power = 0;
    for (std::size_t i = from; i < to; ++i) {
        crossings += (samples[i - 1] < 0) != (samples[i] < 0);
        power += double(samples[i]) * samples[i];
    }
    const double seconds = double(to - from) / 11025;
    const double hertz = crossings / 2.0 / seconds;
    const double rms = std::sqrt(power / double(to - from)) / 32768;
    EXPECT_NEAR(hertz, 440, 440 * 0.01);              // within 1 %
    EXPECT_NEAR(rms, 0.5 / std::sqrt(2), 0.5 * 0.02); // within 2 % of full scale
}

TEST_F(SoundImportTest, RefusesWhatIsNoSoundWithItsReason)
{
    const auto reason = [](const QString &path) {
        try {
            SoundImport::Probe(path);
        } catch (const ESoundRefused &e) {
            EXPECT_EQ(e.Path(), path);
            return e.Reason();
        }
        ADD_FAILURE() << "accepted " << path.toStdString();
        return TSoundRefusal::TooLong;
    };
    EXPECT_EQ(reason(mDir.File("missing.wav")), TSoundRefusal::CannotOpen);
    EXPECT_EQ(reason(mDir.Path()), TSoundRefusal::CannotOpen);
    EXPECT_EQ(reason(mDir.Write("notes.wav", "not a sound at all, only words")), TSoundRefusal::UnknownFormat);
    EXPECT_EQ(reason(mDir.Write("empty.wav", WaveBytes::Wav(1, 11025, 16, {}))), TSoundRefusal::Empty);

    // A stream longer than the cap is refused while converting, with lengths.
    const QString path = mDir.File("long.flac");
    WriteTone(path, SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 11025, 1, 3.0, 440, 0.5);
    try {
        SoundImport::ToWave(path, 11025, 11025);
        ADD_FAILURE() << "not refused";
    } catch (const ESoundRefused &e) {
        EXPECT_EQ(e.Reason(), TSoundRefusal::TooLong);
        EXPECT_GE(e.Seconds(), 1.0);
        EXPECT_DOUBLE_EQ(e.Limit(), 1.0);
    }
}

TEST(SoundImport, ConvertsToTheLowestMixerRateThatKeepsTheSoundButNoHigherThanTheMixer)
{
    EXPECT_EQ(SoundImport::TargetRate(8000, 44100), 11025);
    EXPECT_EQ(SoundImport::TargetRate(16000, 44100), 22050);
    EXPECT_EQ(SoundImport::TargetRate(96000, 44100), 44100);
    EXPECT_EQ(SoundImport::TargetRate(48000, 11025), 11025);
    EXPECT_EQ(SoundImport::LengthText(61.2), "1:02");
    EXPECT_EQ(SoundImport::LengthText(3725), "1:02:05");
}

TEST_F(SoundImportTest, AMixerFailureNamesTheFileAndItsReason)
{
    // 32-bit float as a design might hold it, made by another program.
    const QString floatWave = mDir.Write("Sound1.wav", WaveBytes::Riff(WaveBytes::Fmt(1, 44100, 32, 3)
                                                                      + WaveBytes::Chunk("data", QByteArray(64, 0))));
    try {
        SoundImport::CheckWave(floatWave, MixerOutput(11025));
        ADD_FAILURE() << "not refused";
    } catch (const ESoundRefused &e) {
        EXPECT_EQ(e.Reason(), TSoundRefusal::Unplayable);
        EXPECT_EQ(e.Path(), floatWave);
    }
    EXPECT_FALSE(SoundImport::PlayableAsIs(floatWave, 44100));
    const QString shipped = mDir.Write("Sound2.wav", WaveBytes::Wav(1, 11025, 8, QByteArray(64, char(128))));
    EXPECT_NO_THROW(SoundImport::CheckWave(shipped, MixerOutput(11025)));
    EXPECT_TRUE(SoundImport::PlayableAsIs(shipped, 11025));
}

} // namespace
