#include "sound/BlockMixer.h"
#include "sound/MixClock.h"
#include "sound/MixerTypes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

TQueuedPlay MakePlay(const std::vector<uint8_t> &data, int32_t start, uint16_t loops = 0)
{
    TQueuedPlay play;
    play.Data = data.data();
    play.Length = int32_t(data.size());
    play.Start = start;
    play.Params.Loops = loops;
    play.End = PlayEnd(start, loops, play.Length);
    return play;
}

} // namespace

TEST(BlockMixerTest, NothingCurrentMeansNothingMixedAndTheBlockUntouched)
{
    TChannelTable channels;
    channels[0].Open = true;
    std::vector<uint8_t> data(10, 7);
    TQueuedPlay over = MakePlay(data, 0);
    channels[0].Head = &over;
    uint8_t out[16] = {42};
    EXPECT_FALSE(BlockMixer::MixBlock(channels, 9, out, 16));
    EXPECT_EQ(out[0], 42);
    // A closed channel's queue is never heard.
    channels[0].Open = false;
    EXPECT_FALSE(BlockMixer::MixBlock(channels, 0, out, 16));
}

TEST(BlockMixerTest, SilenceBeforeAPlayThatStartsInsideTheBlock)
{
    TChannelTable channels;
    channels[3].Open = true;
    std::vector<uint8_t> data = {1, 2, 3, 4, 5};
    TQueuedPlay play = MakePlay(data, 104);
    channels[3].Head = &play;
    uint8_t out[10];
    ASSERT_TRUE(BlockMixer::MixBlock(channels, 100, out, 10));
    EXPECT_EQ(std::vector<uint8_t>(out, out + 10),
              (std::vector<uint8_t>{128, 128, 128, 128, 1, 2, 3, 4, 128, 128}));
}

TEST(BlockMixerTest, LoopingPlaysWrapAtTheirLengthMidBlock)
{
    TChannelTable channels;
    channels[0].Open = true;
    channels[1].Open = true;
    std::vector<uint8_t> looped = {10, 20, 30};
    std::vector<uint8_t> steady(100, 138);
    TQueuedPlay a = MakePlay(looped, 0, LoopForever);
    TQueuedPlay b = MakePlay(steady, 2);
    channels[0].Head = &a;
    channels[1].Head = &b;
    uint8_t out[6];
    ASSERT_TRUE(BlockMixer::MixBlock(channels, 4, out, 6));
    // positions 4..9 of the loop: 20 30 10 20 30 10, each raised by 10.
    EXPECT_EQ(std::vector<uint8_t>(out, out + 6), (std::vector<uint8_t>{30, 40, 20, 30, 40, 20}));
}

TEST(BlockMixerTest, EmptyWaveNeverHoldsUpItsChannel)
{
    TChannelTable channels;
    channels[0].Open = true;
    std::vector<uint8_t> none;
    std::vector<uint8_t> next = {50, 60};
    TQueuedPlay empty = MakePlay(none, 0);
    empty.End = EndOfTime; // as an append-mode move of an empty play leaves it
    TQueuedPlay after = MakePlay(next, 0);
    empty.Next = &after;
    channels[0].Head = &empty;
    uint8_t out[2];
    ASSERT_TRUE(BlockMixer::MixBlock(channels, 0, out, 2));
    EXPECT_EQ(out[0], 50);
}

TEST(BlockMixerTest, PlayEndsAreSafeFromOverflow)
{
    EXPECT_EQ(PlayEnd(100, 2, 300), 999);
    EXPECT_EQ(PlayEnd(100, LoopForever, 300), EndOfTime);
    EXPECT_EQ(PlayEnd(EndOfTime, 0, 300), EndOfTime);
    EXPECT_EQ(PlayEnd(2000000000, 65534, 1000000), EndOfTime);
}

TEST(MixClockTest, TimerClockRoundsAndKeepsStereoPositionsEven)
{
    TMixClock clock;
    clock.Set(0, 0, 1000, 22050);
    EXPECT_EQ(clock.TimerPosition(1001, 11025, 1), 11);   // 11.025
    EXPECT_EQ(clock.TimerPosition(1003, 22050, 2), 66);   // 66.15
    EXPECT_EQ(clock.TimerPosition(1001, 22050, 2), 22);   // 22.05
    EXPECT_EQ(clock.TimerPosition(1001, 1500, 2), 2);     // 1.5 rounds to 2
    // An hour of stereo at 44100 Hz does not wrap round.
    EXPECT_EQ(clock.TimerPosition(1000 + 3600 * 1000, 88200, 2), 88200 * 3600);
}

TEST(MixClockTest, DeviceClockAddsTheOffsetSetWithTheClock)
{
    TMixClock clock;
    clock.SetDeviceClock(true);
    clock.Set(700, 6144, 0, 11025);
    EXPECT_EQ(clock.DeviceOffset(), 700 - 6144);
    EXPECT_EQ(clock.PlayPosition(6144 + 50, 0, 11025, 1), 750);
}

TEST(BlockMixerTest, VolumeScalesTheSumAroundSilenceBeforeClamping)
{
    const std::vector<uint8_t> a = {250, 0, 128, 200};
    const std::vector<uint8_t> b = {250, 0, 128, 28};
    const uint8_t *sources[] = {a.data(), b.data()};
    uint8_t out[4];
    BlockMixer::MixSources(out, sources, 2, 4);
    EXPECT_EQ(std::vector<uint8_t>(out, out + 4), (std::vector<uint8_t>{255, 0, 128, 100}));
    // Half volume: what clipped at full volume is heard whole, not clipped.
    BlockMixer::MixSources(out, sources, 2, 4, 50);
    EXPECT_EQ(std::vector<uint8_t>(out, out + 4), (std::vector<uint8_t>{250, 0, 128, 114}));
    // A single source is scaled too; zero is silence.
    BlockMixer::MixSources(out, sources, 1, 4, 25);
    EXPECT_EQ(std::vector<uint8_t>(out, out + 4), (std::vector<uint8_t>{158, 96, 128, 146}));
    BlockMixer::MixSources(out, sources, 2, 4, 0);
    EXPECT_EQ(std::vector<uint8_t>(out, out + 4), (std::vector<uint8_t>(4, 128)));
}

TEST(BlockMixerTest, EveryLengthAndSourceCountMixesLikeTheByteByByteSum)
{
    // Lengths around the mixer's internal step, so whole steps and the
    // scalar remainder are both checked against the plain formula.
    std::vector<std::vector<uint8_t>> waves(8, std::vector<uint8_t>(300));
    for (size_t s = 0; s < waves.size(); ++s)
        for (size_t i = 0; i < 300; ++i)
            waves[s][i] = uint8_t((i * (s + 5) * 37 + s * 101) % 256);
    const uint8_t *sources[8];
    for (size_t s = 0; s < 8; ++s)
        sources[s] = waves[s].data() + s;
    for (const int volume : {100, 37}) {
        for (const int count : {2, 3, 8}) {
            for (const int32_t length : {1, 63, 64, 65, 130, 291}) {
                std::vector<uint8_t> out(size_t(length) + 1, 42);
                BlockMixer::MixSources(out.data(), sources, count, length, volume);
                for (int32_t i = 0; i < length; ++i) {
                    int32_t sum = 0;
                    for (int s = 0; s < count; ++s)
                        sum += sources[s][i] - 128;
                    const int expected = std::clamp(128 + sum * volume / 100, 0, 255);
                    ASSERT_EQ(out[size_t(i)], expected)
                        << "volume " << volume << " count " << count << " length " << length
                        << " at " << i;
                }
                EXPECT_EQ(out[size_t(length)], 42) << "wrote past the end";
            }
        }
    }
}
