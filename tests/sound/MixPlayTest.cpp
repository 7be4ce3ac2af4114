#include "EngineFixture.h"

#include "sound/PlayDoneEvent.h"

#include <QCoreApplication>

using namespace WaveBytes;

using MixPlayTest = EngineFixture;

TEST_F(MixPlayTest, IdlePlayStartsAtZeroWithDevicePausedAroundTheFirstBlocks)
{
    Start();
    const auto wave = Loaded(Ramp(1000));
    Play(0, *wave);

    EXPECT_EQ(Device().Log, (QStringList{"pause", "write 512", "write 512", "restart"}));
    EXPECT_EQ(mEngine->Blocks().InFlightHead()->FirstPosition, 0);
    // The last byte of the last repetition is never played.
    EXPECT_EQ(Device().Pending(), Ramp(1000).left(999) + Silence(1024 - 999));
    EXPECT_EQ(mSession->MixPosition, 1024);
}

TEST_F(MixPlayTest, FeedingStopsWhenPlaysEndAndTheNextPlayRestartsTheStreamAtZero)
{
    Start("DeviceClock=1\n");
    const auto wave = Loaded(Ramp(1000));
    Play(0, *wave);
    Device().RunDry();

    EXPECT_EQ(Device().Played().size(), 1024);
    EXPECT_EQ(Device().QueuedBlocks(), 0);
    EXPECT_FALSE(mEngine->Blocks().AnyInFlight());
    EXPECT_EQ(Queued(0), 0);
    EXPECT_EQ(mEngine->FreePlayRecords(), PlayRecordCount);

    Device().Log.clear();
    Play(0, *wave);
    EXPECT_EQ(Device().Log, (QStringList{"pause", "write 512", "write 512", "restart"}));
    EXPECT_EQ(mEngine->Blocks().InFlightHead()->FirstPosition, 0);
    EXPECT_EQ(mSession->Channels[0].Head->Start, 0);
}

TEST_F(MixPlayTest, SecondPlayOnABusyChannelStartsAfterTheFirstInsteadOfOverIt)
{
    Start("DeviceClock=1\n");
    const auto first = Loaded(Filled(3000, 100));
    const auto second = Loaded(Filled(600, 200));
    Play(0, *first);
    Play(0, *second);
    EXPECT_EQ(mSession->Channels[0].Head->Next->Start, 2999);

    Device().RunDry();
    const QByteArray played = Device().Played();
    EXPECT_EQ(played.left(2999), Filled(2999, 100));
    EXPECT_EQ(played.mid(2999, 599), Filled(599, 200));
    EXPECT_EQ(played.mid(2999 + 599), Silence(played.size() - 2999 - 599));
}

TEST_F(MixPlayTest, EightChannelsAreSummedAndClampedNeverWrapped)
{
    Start();
    std::vector<std::unique_ptr<TLoadedWave>> loud, quiet;
    for (int i = 0; i < 8; ++i)
        loud.push_back(Loaded(Filled(301, 200)));
    // Held, so that all eight start together.
    for (int i = 0; i < 8; ++i)
        Play(i, *loud[size_t(i)], i < 7 ? PlayHold : 0);
    // 128 + 8 * 72 would wrap to 192 in a byte.
    EXPECT_EQ(Device().Pending().left(300), Filled(300, 255));

    Device().RunDry();
    for (int i = 0; i < 8; ++i)
        quiet.push_back(Loaded(Filled(301, 10)));
    for (int i = 0; i < 8; ++i)
        Play(i, *quiet[size_t(i)], i < 7 ? PlayHold : 0);
    EXPECT_EQ(Device().Pending().left(300), Filled(300, 0));
}

TEST_F(MixPlayTest, TwoSourcesInRangeAreSummedAroundSilence)
{
    Start();
    const auto a = Loaded(Filled(101, 130));
    const auto b = Loaded(Filled(201, 100));
    Play(0, *a, PlayHold);
    Play(1, *b);
    const QByteArray out = Device().Pending();
    EXPECT_EQ(out.left(100), Filled(100, 102));
    EXPECT_EQ(out.mid(100, 100), Filled(100, 100));
    EXPECT_EQ(out.mid(200), Silence(512 - 200));
}

TEST_F(MixPlayTest, LoopsTwoIsHeardThreeTimesWithoutAGap)
{
    Start("DeviceClock=1\n");
    const auto wave = Loaded(Ramp(300));
    Play(0, *wave, 0, 2);
    EXPECT_EQ(mSession->Channels[0].Head->End, 899);
    Device().RunDry();
    const QByteArray played = Device().Played();
    EXPECT_EQ(played.left(899), (Ramp(300) + Ramp(300) + Ramp(300)).left(899));
    EXPECT_EQ(played.mid(899), Silence(1024 - 899));
}

TEST_F(MixPlayTest, EndlessLoopPlaysUntilFlushedThenRunsOutWithTheQueuedBlocks)
{
    Start("DeviceClock=1\n");
    const auto wave = Loaded(Ramp(300));
    Play(0, *wave, 0, LoopForever);
    EXPECT_EQ(Device().RunDry(20000), 20000);
    const QByteArray played = Device().Played();
    for (int i = 0; i < 20000; i += 300)
        ASSERT_EQ(played.mid(i, 300), Ramp(300).left(std::min(300, 20000 - i))) << i;

    const int32_t queued = Device().QueuedBytes();
    mEngine->MixFlushChannel(mSession, 0, FlushNoRemix);
    EXPECT_EQ(Device().RunDry(), queued);
    EXPECT_LE(queued, 3 * Block);
    EXPECT_EQ(Device().QueuedBlocks(), 0);
}

TEST_F(MixPlayTest, NextQueuedPlayFollowsInTheSameBlockFromItsStart)
{
    Start();
    const auto a = Loaded(Filled(300, 90));
    const auto b = Loaded(Filled(101, 160));
    Play(0, *a, PlayHold);
    Play(0, *b);
    const QByteArray out = Device().Pending();
    EXPECT_EQ(out.left(299), Filled(299, 90));
    EXPECT_EQ(out.mid(299, 100), Filled(100, 160));
    EXPECT_EQ(out.mid(399), Silence(512 - 399));
}

TEST_F(MixPlayTest, HundredthPlayFailsWithNotEnoughMemoryAndLeavesTheQueues)
{
    Start();
    const auto wave = Loaded(Ramp(4000));
    for (int i = 0; i < PlayRecordCount; ++i)
        Play(i % 8, *wave);
    EXPECT_EQ(mEngine->FreePlayRecords(), 0);
    int before[8];
    for (int c = 0; c < 8; ++c)
        before[c] = Queued(c);
    const int32_t lastStart = PlayQueue::Last(mSession->Channels[3].Head)->Start;

    EXPECT_MIXER_ERROR(Play(3, *wave), MixMessage::OutOfRecords);
    for (int c = 0; c < 8; ++c)
        EXPECT_EQ(Queued(c), before[c]);
    EXPECT_EQ(PlayQueue::Last(mSession->Channels[3].Head)->Start, lastStart);
    EXPECT_TRUE(mSession->Pending.Empty());

    mEngine->MixFlushChannel(mSession, 0, FlushAllChannels | FlushNoRemix);
    EXPECT_EQ(mEngine->FreePlayRecords(), PlayRecordCount);
    Play(3, *wave);
}

TEST_F(MixPlayTest, FinishedPlaysAreReportedToTheirNotificationObject)
{
    struct TReceiver : QObject
    {
        void customEvent(QEvent *event) override
        {
            if (event->type() == TPlayDoneEvent::EventType()) {
                auto *done = static_cast<TPlayDoneEvent *>(event);
                Channels.push_back(done->Channel());
                Waves.push_back(done->Wave());
            }
        }
        std::vector<int> Channels;
        std::vector<const TLoadedWave *> Waves;
    } receiver;
    Start("DeviceClock=1\n");
    const auto wave = Loaded(Ramp(700));
    TPlayParams params = Params(5, *wave);
    params.NotificationWindow = &receiver;
    mEngine->MixPlay(&params);

    Device().Consume(512);
    QCoreApplication::processEvents();
    EXPECT_TRUE(receiver.Channels.empty()); // still being heard
    Device().RunDry();
    QCoreApplication::sendPostedEvents(&receiver);
    EXPECT_EQ(receiver.Channels, std::vector<int>{5});
    EXPECT_EQ(receiver.Waves, std::vector<const TLoadedWave *>{wave.get()});
}

TEST_F(MixPlayTest, ReleasingAWaveDropsItsQueuedAndHeldPlaysButNotOthers)
{
    Start();
    auto doomed = Loaded(Ramp(3000));
    const auto kept = Loaded(Ramp(3000, 5));
    Play(0, *doomed);
    Play(0, *doomed);
    Play(1, *kept);
    Play(2, *doomed, PlayHold);
    mEngine->MixReleaseWave(mSession, std::move(doomed));
    EXPECT_EQ(Queued(0), 0);
    EXPECT_EQ(Queued(1), 1);
    EXPECT_TRUE(mSession->Pending.Empty());
    EXPECT_EQ(mEngine->FreePlayRecords(), PlayRecordCount - 1);
    EXPECT_MIXER_ERROR(mEngine->MixReleaseWave(mSession, nullptr), MixMessage::InvalidPointer);
}

TEST_F(MixPlayTest, DeactivatingMidSoundAndActivatingAgainContinuesFromWhereItWasHeard)
{
    Start("DeviceClock=1\n");
    const auto wave = Loaded(Ramp(5000));
    Play(0, *wave);
    Device().Consume(700);
    mEngine->MixActivate(mSession, false);
    EXPECT_EQ(mBackend.Device(), nullptr);
    EXPECT_EQ(mEngine->DeviceOwner(), nullptr);
    EXPECT_EQ(mSession->MixPosition, 700);
    EXPECT_EQ(Queued(0), 1);

    mEngine->MixActivate(mSession, true);
    EXPECT_EQ(Device().Pending(), Ramp(5000).mid(700, 3 * Block));
    Device().RunDry();
    EXPECT_EQ(Device().Played().left(5000 - 1 - 700), Ramp(5000).mid(700, 5000 - 1 - 700));
}

TEST_F(MixPlayTest, TimerClockDeactivationResumesAtTheTimedPosition)
{
    Start();
    const auto wave = Loaded(Ramp(5000));
    mBackend.Now = 1000;
    Play(0, *wave);
    mBackend.Now = 1040; // 40 ms at 11025 bytes/s: 441 bytes
    mEngine->MixActivate(mSession, false);
    EXPECT_EQ(mSession->MixPosition, 441);
    mBackend.Now = 9000;
    mEngine->MixActivate(mSession, true);
    EXPECT_EQ(Device().Pending().left(100), Ramp(5000).mid(441, 100));
    EXPECT_EQ(mEngine->PlayPosition(mSession), 441);
}
