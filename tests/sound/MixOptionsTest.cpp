#include "EngineFixture.h"

using namespace WaveBytes;

using MixOptionsTest = EngineFixture;

TEST_F(MixOptionsTest, FlushWithoutRemixLetsTheQueuedBlocksPlayOn)
{
    Start("DeviceClock=1\n");
    const auto wave = Loaded(Ramp(5000));
    Play(0, *wave);
    const QByteArray queued = Device().Pending();
    mEngine->MixFlushChannel(mSession, 0, FlushNoRemix);
    EXPECT_EQ(Queued(0), 0);
    EXPECT_EQ(Device().Pending(), queued);
    Device().RunDry();
    EXPECT_EQ(Device().Played(), Ramp(5000).left(3 * Block));
}

TEST_F(MixOptionsTest, FlushWithRemixSilencesTheRemovedSoundAtOnce)
{
    Start("DeviceClock=1\n");
    const auto removed = Loaded(Filled(5000, 200));
    const auto kept = Loaded(Ramp(5000));
    Play(0, *removed, PlayHold);
    Play(1, *kept);
    Device().Consume(100);
    Device().Log.clear();

    mEngine->MixFlushChannel(mSession, 0, 0);
    EXPECT_EQ(Device().Log,
              (QStringList{"reset", "pause", "write 512", "write 512", "write 512", "restart"}));
    // From the play position on only the kept sound is left.
    EXPECT_EQ(Device().Pending(), Ramp(5000).mid(100, 3 * Block));
    EXPECT_EQ(mSession->MixPosition, 100 + 3 * Block);
    EXPECT_EQ(mEngine->PlayPosition(mSession), 100);
}

TEST_F(MixOptionsTest, FlushInAppendModeLeavesTheBlocksInFlight)
{
    Start("DeviceClock=1\nRemix=2\n");
    const auto wave = Loaded(Filled(5000, 200));
    Play(0, *wave);
    Device().Log.clear();
    const QByteArray queued = Device().Pending();
    mEngine->MixFlushChannel(mSession, 0, 0);
    EXPECT_TRUE(Device().Log.isEmpty());
    EXPECT_EQ(Device().Pending(), queued);
}

TEST_F(MixOptionsTest, ReplaceDropsQueuedPlaysAndRemixesFromTheMixPosition)
{
    Start("DeviceClock=1\n");
    const auto old = Loaded(Filled(5000, 200));
    const auto fresh = Loaded(Ramp(3000));
    Play(0, *old);
    Play(0, *old);
    Device().Log.clear();
    Play(0, *fresh, PlayReplace);
    EXPECT_EQ(Queued(0), 1);
    EXPECT_EQ(mSession->Channels[0].Head->Wave, fresh.get());
    EXPECT_EQ(mSession->Channels[0].Head->Start, 3 * Block);
    EXPECT_EQ(Device().Log.mid(0, 2), (QStringList{"reset", "pause"}));
    EXPECT_EQ(Device().Pending(), Ramp(3000).left(3 * Block));
    EXPECT_EQ(mEngine->FreePlayRecords(), PlayRecordCount - 1);
}

TEST_F(MixOptionsTest, AtPlayPositionOnAnIdleChannelIsHeardAtOnceInRemixMode)
{
    Start("DeviceClock=1\n");
    const auto background = Loaded(Filled(5000, 128));
    const auto shot = Loaded(Filled(1001, 150));
    Play(0, *background);
    Device().Consume(200);
    Play(1, *shot, PlayAtPlayPosition);
    EXPECT_EQ(mSession->Channels[1].Head->Start, 200);
    EXPECT_EQ(Device().Pending().left(1000), Filled(1000, 150));
}

TEST_F(MixOptionsTest, AtPlayPositionInAppendModeMovesThePlayToTheMixPositionKeepingItsLength)
{
    Start("DeviceClock=1\nRemix=2\n");
    const auto background = Loaded(Filled(5000, 128));
    const auto shot = Loaded(Filled(1001, 150));
    Play(0, *background);
    Device().Consume(200);
    Play(1, *shot, PlayAtPlayPosition);
    const TQueuedPlay &play = *mSession->Channels[1].Head;
    EXPECT_EQ(play.Start, 3 * Block);
    EXPECT_EQ(play.End, 3 * Block + 1000);
}

TEST_F(MixOptionsTest, HeldPlaysWaitAndAreThenPlacedInTheOrderAccepted)
{
    Start();
    const auto a = Loaded(Filled(301, 10));
    const auto b = Loaded(Filled(201, 20));
    const auto c = Loaded(Filled(101, 30));
    const auto d = Loaded(Filled(51, 40));
    Play(0, *a, PlayHold);
    Play(1, *b, PlayHold);
    Play(0, *c, PlayHold);
    EXPECT_EQ(mBackend.Device()->Log, QStringList{});
    EXPECT_EQ(Queued(0), 0);

    Play(2, *d);
    ASSERT_EQ(Queued(0), 2);
    EXPECT_EQ(mSession->Channels[0].Head->Wave, a.get());
    EXPECT_EQ(mSession->Channels[0].Head->Next->Wave, c.get());
    EXPECT_EQ(mSession->Channels[0].Head->Next->Start, 300);
    EXPECT_EQ(mSession->Channels[1].Head->Start, 0);
    EXPECT_EQ(mSession->Channels[2].Head->Start, 0);
}

TEST_F(MixOptionsTest, HeldPlayOnAChannelClosedMeanwhileIsDroppedNotLeaked)
{
    Start();
    const auto a = Loaded(Filled(301, 10));
    Play(4, *a, PlayHold);
    mEngine->MixCloseChannel(mSession, 4, 0);
    Play(0, *a);
    EXPECT_EQ(mEngine->FreePlayRecords(), PlayRecordCount - 1);
    EXPECT_TRUE(mSession->Pending.Empty());
}

TEST_F(MixOptionsTest, LeastRecentChannelIsWrittenBackAndPrefersAnIdleChannel)
{
    Start();
    const auto wave = Loaded(Ramp(5000));
    Play(0, *wave);
    Play(1, *wave);
    Play(2, *wave);
    TPlayParams params = Params(7, *wave, PlayOnLeastRecentChannel);
    mEngine->MixPlay(&params);
    EXPECT_EQ(params.Channel, 3);
    EXPECT_EQ(Queued(3), 1);
}

TEST_F(MixOptionsTest, LeastRecentChannelAmongBusyOnesIsTheOneStampedEarliest)
{
    Start();
    mEngine->MixCloseChannel(mSession, 0, FlushAllChannels);
    mEngine->MixOpenChannel(mSession, 3, ChannelOpenCount);
    const auto wave = Loaded(Ramp(5000));
    Play(2, *wave);
    Play(0, *wave);
    Play(1, *wave);
    TPlayParams params = Params(0, *wave, PlayOnLeastRecentChannel);
    mEngine->MixPlay(&params);
    EXPECT_EQ(params.Channel, 2);
    EXPECT_EQ(mSession->Stamps[2], 4);
}

TEST_F(MixOptionsTest, RemixesRewriteTheDeviceWhileItIsLocked)
{
    Start("DeviceClock=1\n");
    const auto background = Loaded(Filled(5000, 140));
    const auto shot = Loaded(Filled(1001, 150));
    Play(0, *background);
    Device().Consume(200);
    Play(1, *shot, PlayAtPlayPosition);
    Device().Consume(100);
    mEngine->MixFlushChannel(mSession, 1, 0);
    EXPECT_EQ(Device().Log.count(QStringLiteral("reset")), 2);
    EXPECT_EQ(Device().UnlockedResets, 0);
    EXPECT_EQ(Device().Locks(), 0);
}
