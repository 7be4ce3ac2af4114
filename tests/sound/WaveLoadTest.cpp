#include "WaveBytes.h"
#include "support/TempDir.h"

#include "sound/MixerError.h"
#include "sound/WaveConvert.h"
#include "sound/WaveFile.h"

#include <gtest/gtest.h>

using namespace WaveBytes;

namespace {

TPcmFormat Output(int channels = 1, int rate = 11025)
{
    TPcmFormat format;
    format.Channels = uint16_t(channels);
    format.SamplesPerSec = uint32_t(rate);
    format.AvgBytesPerSec = uint32_t(rate * channels);
    format.BlockAlign = uint16_t(channels);
    return format;
}

class WaveLoadTest : public ::testing::Test
{
protected:
    QByteArray Load(const QByteArray &file, const TPcmFormat &output = Output())
    {
        const auto wave = LoadWaveFile(mDir.Write("w.wav", file), output);
        return QByteArray(reinterpret_cast<const char *>(wave->Data.get()), wave->Length);
    }

    std::string Failure(const QByteArray &file, const TPcmFormat &output = Output())
    {
        try {
            Load(file, output);
        } catch (const EMixerError &error) {
            return error.what();
        }
        return "no failure";
    }

    TempDir mDir;
};

} // namespace

TEST_F(WaveLoadTest, MatchingFileLoadsByteForByteAndKeepsItsFormat)
{
    const QByteArray data = Ramp(1001);
    const auto wave = LoadWaveFile(mDir.Write("w.wav", Wav(1, 11025, 8, data)), Output());
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(wave->Data.get()), wave->Length), data);
    EXPECT_EQ(wave->Format, Output());
}

TEST_F(WaveLoadTest, SixteenBit22050BecomesEightBitPairsAveragedWithTheLastFrameCopied)
{
    // High bytes 0x10, 0x30 | 0xF0, 0x20 | 0x40, 0x50 -> unsigned 144,176 | 112,160 | 192,208
    const QByteArray data = Samples16({0x1000, 0x3000, -0x1000, 0x2000, 0x4000, 0x5000});
    EXPECT_EQ(Load(Wav(1, 22050, 16, data)), Bytes({160, 136, 192}));
}

TEST_F(WaveLoadTest, FortyFourKilohertzAveragesGroupsOfFourAndDropsTheLeftovers)
{
    const QByteArray data = Bytes({128, 132, 136, 140, 100, 101, 102, 103, 50, 60, 70, 80, 1, 2});
    // (0+4+8+12)/4 = 6; (-28-27-26-25)/4 = -26 (truncated); last group: its first frame.
    EXPECT_EQ(Load(Wav(1, 44100, 8, data)), Bytes({134, 102, 50}));
}

TEST_F(WaveLoadTest, ThirtyTwoKilohertzUsesGroupsOfThree)
{
    const QByteArray data = Bytes({130, 131, 135, 120, 121, 122, 90, 91, 92});
    EXPECT_EQ(Load(Wav(1, 32000, 8, data)), Bytes({132, 121, 90}));
}

TEST_F(WaveLoadTest, ElevenKilohertzOnTwentyTwoInsertsTheTruncatedHalfwayValue)
{
    const QByteArray data = Bytes({100, 105, 90, 200});
    // steps: (105-100)/2 = 2, (90-105)/2 = -7, (200-90)/2 = 55; the last frame repeats.
    EXPECT_EQ(Load(Wav(1, 11025, 8, data), Output(1, 22050)),
              Bytes({100, 102, 105, 98, 90, 145, 200, 200}));
}

TEST_F(WaveLoadTest, EightKilohertzKeepsItsLengthInFrames)
{
    const QByteArray data = Ramp(800);
    EXPECT_EQ(Load(Wav(1, 8000, 8, data)), data);
}

TEST_F(WaveLoadTest, StereoOnMonoAveragesEachFrameRoundingDown)
{
    EXPECT_EQ(Load(Wav(2, 11025, 8, Bytes({100, 201, 0, 255, 128, 128}))), Bytes({150, 127, 128}));
}

TEST_F(WaveLoadTest, MonoOnStereoPlaysTheSameSampleOnBothSides)
{
    EXPECT_EQ(Load(Wav(1, 11025, 8, Bytes({1, 2, 3})), Output(2)), Bytes({1, 1, 2, 2, 3, 3}));
}

TEST_F(WaveLoadTest, StereoUpsamplingInterpolatesEachChannelOnItsOwn)
{
    const QByteArray data = Bytes({100, 200, 110, 100});
    EXPECT_EQ(Load(Wav(2, 11025, 8, data), Output(2, 22050)),
              Bytes({100, 200, 105, 150, 110, 100, 110, 100}));
}

TEST_F(WaveLoadTest, EighteenByteFormatChunkAndOddSizedChunksAreRead)
{
    const QByteArray data = Ramp(5);
    const QByteArray file =
        Riff(Chunk("LIST", Bytes({1, 2, 3})) + Fmt(1, 11025, 8, 1, 2) + Chunk("junk", Bytes({9}))
             + Chunk("data", data));
    EXPECT_EQ(Load(file), data);
}

TEST_F(WaveLoadTest, UnsupportedFormatsFailWithTheirMessages)
{
    EXPECT_EQ(Failure(Riff(Fmt(1, 11025, 8, 2) + Chunk("data", Ramp(10)))),
              MixMessage::NotPcm);
    EXPECT_EQ(Failure(Wav(1, 11025, 24, Ramp(30))), MixMessage::FormatNotSupported);
    EXPECT_EQ(Failure(Wav(4, 11025, 8, Ramp(40))), MixMessage::FormatNotSupported);
    EXPECT_EQ(Failure(Wav(1, 0, 8, Ramp(40))), MixMessage::FormatNotSupported);
}

TEST_F(WaveLoadTest, DamagedFilesFailClearly)
{
    const QByteArray data = Ramp(100);
    const QByteArray good = Wav(1, 11025, 8, data);
    EXPECT_EQ(Failure(QByteArray()), MixMessage::NotWave);
    EXPECT_EQ(Failure(good.left(10)), MixMessage::NotWave);
    QByteArray avi = good;
    avi.replace(8, 4, "AVI ");
    EXPECT_EQ(Failure(avi), MixMessage::NotWave);
    EXPECT_EQ(Failure(Riff(Chunk("data", data))), MixMessage::Corrupted);
    EXPECT_EQ(Failure(Riff(Chunk("data", data) + Fmt(1, 11025, 8))), MixMessage::NoDataChunk);
    EXPECT_EQ(Failure(Riff(Chunk("fmt ", Bytes({1, 0, 1, 0})) + Chunk("data", data))),
              MixMessage::FormatReadFailed);
    EXPECT_EQ(Failure(Riff(Fmt(1, 11025, 8) + Chunk("data", QByteArray()))),
              MixMessage::EmptyData);
    // Truncated data.
    EXPECT_EQ(Failure(good.left(good.size() - 10)), MixMessage::DataReadFailed);
}

TEST_F(WaveLoadTest, AbsurdSizesAreCheckedAgainstTheFileBeforeAnythingIsAllocated)
{
    // A data chunk claiming 4 GB, and a junk chunk claiming to run past the end.
    EXPECT_EQ(Failure(Riff(Fmt(1, 11025, 8) + Chunk("data", Ramp(16), 0xFFFFFFF0))),
              MixMessage::DataReadFailed);
    EXPECT_EQ(Failure(Riff(Fmt(1, 11025, 8) + Chunk("junk", Ramp(4), 0x7FFFFFFF)
                           + Chunk("data", Ramp(16)))),
              MixMessage::NoDataChunk);
    EXPECT_EQ(Failure(Riff(Chunk("fmt ", Fmt(1, 11025, 8).mid(8), 0xFFFFFFFE))),
              MixMessage::NoDataChunk);
}

TEST_F(WaveLoadTest, WaveTooShortToSurviveConversionIsRefused)
{
    EXPECT_EQ(Failure(Wav(1, 44100, 8, Bytes({1, 2, 3}))), MixMessage::EmptyData);
}

TEST_F(WaveLoadTest, WavesThatWouldConvertToAbsurdSizesAreRefusedBeforeReading)
{
    // A 1 Hz wave would be up-sampled 11025 times.
    const std::string slow = Failure(Wav(1, 1, 8, Ramp(2000)));
    EXPECT_NE(slow.find("w.wav"), std::string::npos) << slow;
    EXPECT_NE(slow.find(" 1 Hz"), std::string::npos) << slow;
    EXPECT_NE(Failure(Wav(1, 3999, 8, Ramp(10))).find("4000 Hz"), std::string::npos);
    EXPECT_EQ(Load(Wav(1, 4000, 8, Ramp(10))).size(), 20);

    // 1.6 MB at 4000 Hz become 35 MB of 44100 Hz stereo.
    const std::string longWave = Failure(Wav(1, 4000, 8, Ramp(1600000)), Output(2, 44100));
    EXPECT_NE(longWave.find("too long"), std::string::npos) << longWave;
    EXPECT_NE(longWave.find("w.wav"), std::string::npos) << longWave;
}

TEST_F(WaveLoadTest, ConvertedLengthFromTheHeadersMatchesTheLoadedWave)
{
    struct Case { int channels, rate, bits, length; TPcmFormat output; };
    for (const Case &c : {Case{2, 22050, 16, 4002, Output(1, 11025)},
                          Case{1, 11025, 8, 777, Output(2, 44100)},
                          Case{2, 32000, 8, 1001, Output(2, 11025)},
                          Case{1, 8000, 16, 60, Output(1, 11025)}}) {
        const QString path = mDir.Write("w.wav", Wav(c.channels, c.rate, c.bits, Ramp(c.length)));
        EXPECT_EQ(ConvertedWaveLength(path, c.output), LoadWaveFile(path, c.output)->Length)
            << c.channels << " " << c.rate << " " << c.bits;
    }
    const QString bad = mDir.Write("bad.wav", Wav(1, 11025, 24, Ramp(30)));
    EXPECT_THROW(ConvertedWaveLength(bad, Output()), EMixerError);
}

TEST(WaveConvertTest, StepsThatAlreadyMatchLeaveTheBufferAlone)
{
    TSampleBuffer buffer;
    buffer.Data.reset(new uint8_t[3]{1, 2, 3});
    buffer.Length = 3;
    const uint8_t *before = buffer.Data.get();
    WaveConvert::Width(buffer, 8, 8);
    WaveConvert::Channels(buffer, 1, 1);
    WaveConvert::Rate(buffer, 11025, 11025, 1);
    EXPECT_EQ(buffer.Data.get(), before);
    EXPECT_EQ(buffer.Length, 3);
}

TEST(WaveConvertTest, SixteenBitTakesTheHighByteMovedToUnsigned)
{
    TSampleBuffer buffer;
    buffer.Data.reset(new uint8_t[7]{0xFF, 0x7F, 0x00, 0x80, 0x34, 0x00, 0x99});
    buffer.Length = 7; // the odd byte is not a whole sample
    WaveConvert::Width(buffer, 16, 8);
    ASSERT_EQ(buffer.Length, 3);
    EXPECT_EQ(buffer.Data[0], 255);
    EXPECT_EQ(buffer.Data[1], 0);
    EXPECT_EQ(buffer.Data[2], 128);
}
