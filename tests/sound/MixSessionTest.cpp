#include "EngineFixture.h"

using namespace WaveBytes;

using MixSessionTest = EngineFixture;

TEST_F(MixSessionTest, BlockLengthAndCountAreClamped)
{
    struct Case
    {
        QByteArray Ini;
        int Length;
        int Count;
    };
    const Case cases[] = {
        {"[default]\nBlockLength=100\nBlockCount=1\n", 512, 2},
        {"[default]\nBlockLength=5000\nBlockCount=9\n", 4096, 6},
        {"[default]\nBlockLength=1001\n", 1000, 3},
        {"", 2048, 3},
        {"[default]\nSampleRate=22\n", 4096, 3},
        {"[default]\nSampleRate=44\n", 4096, 3},
        {"[default]\nBlockLength=600\n[Test Device]\nBlockLength=1003\nBlockCount=4\n", 1000, 4},
    };
    for (const Case &c : cases) {
        TManualAudioBackend backend;
        TMixEngine engine(backend, mDir.Write("case.ini", c.Ini));
        TMixSession *session = engine.MixInit(nullptr);
        EXPECT_EQ(session->BlockLength, c.Length) << c.Ini.constData();
        EXPECT_EQ(session->BlockCount, c.Count) << c.Ini.constData();
    }
}

TEST_F(MixSessionTest, DeviceSectionOverridesDefaultSection)
{
    TMixEngine engine(mBackend, mDir.Write("m.ini", "[default]\nRemix=2\nDeviceClock=1\nSampleRate=22\n"
                                                    "[test device]\nSampleRate=44\n"));
    TMixSession *session = engine.MixInit(nullptr);
    EXPECT_EQ(session->Section, QStringLiteral("Test Device"));
    EXPECT_TRUE(session->AppendMode);
    EXPECT_TRUE(session->Clock.DeviceClock());
    EXPECT_EQ(session->Format.SamplesPerSec, 44100u);
    EXPECT_EQ(session->Format.AvgBytesPerSec, 44100u);
}

TEST_F(MixSessionTest, ConfigAsksForStereoAndRateOnlyWhenItsSizeIsRight)
{
    const QString ini = mDir.Write("m.ini", "[default]\nSampleRate=22\n");
    {
        TMixEngine engine(mBackend, ini);
        const TMixConfig config{10, ConfigStereo | ConfigRate, 2, 44};
        TMixSession *session = engine.MixInit(&config);
        EXPECT_EQ(session->Format.Channels, 2);
        EXPECT_EQ(session->Format.BlockAlign, 2);
        EXPECT_EQ(session->Format.AvgBytesPerSec, 88200u);
    }
    {
        TMixEngine engine(mBackend, ini);
        const TMixConfig config{12, ConfigStereo | ConfigRate, 2, 44};
        TMixSession *session = engine.MixInit(&config);
        EXPECT_EQ(session->Format.Channels, 1);
        EXPECT_EQ(session->Format.SamplesPerSec, 22050u);
    }
    {
        mBackend.Caps.Channels = 1;
        TMixEngine engine(mBackend, ini);
        const TMixConfig config{10, ConfigStereo, 2, 11};
        EXPECT_EQ(engine.MixInit(&config)->Format.Channels, 1);
    }
}

TEST_F(MixSessionTest, DeviceRefusalsAndAbsenceFailWithTheirMessages)
{
    mBackend.Devices = 0;
    {
        TMixEngine engine(mBackend, QString());
        EXPECT_MIXER_ERROR(engine.MixInit(nullptr), MixMessage::NoDevices);
        EXPECT_EQ(engine.Session(), nullptr);
    }
    mBackend.Devices = 1;
    mBackend.Caps.Synchronous = true;
    {
        TMixEngine engine(mBackend, QString());
        EXPECT_MIXER_ERROR(engine.MixInit(nullptr),
                           std::string("Test Device") + MixMessage::Synchronous);
        EXPECT_EQ(engine.Session(), nullptr);
    }
    mBackend.Caps.Synchronous = false;
    {
        TMixEngine engine(mBackend, mDir.Write("m.ini", "[not compatible]\nTest Device=1\n"));
        EXPECT_MIXER_ERROR(engine.MixInit(nullptr),
                           "Test Device is not compatible with the realtime mixer");
    }
    mBackend.CapsAvailable = false;
    {
        TMixEngine engine(mBackend, QString());
        EXPECT_EQ(engine.MixInit(nullptr)->Section, QStringLiteral("Unknown Device"));
    }
}

TEST_F(MixSessionTest, OutputDeviceOutOfRangeFallsBackToTheDefaultDevice)
{
    mBackend.Devices = 2;
    TMixEngine engine(mBackend, mDir.Write("m.ini", "[general]\nOutputDevice=2\n"));
    TMixSession *session = engine.MixInit(nullptr);
    engine.MixActivate(session, true);
    EXPECT_EQ(mBackend.OpenedDevice(), -1);
}

TEST_F(MixSessionTest, SecondInitFailsAndLeavesTheFirstSessionWorking)
{
    Start();
    EXPECT_MIXER_ERROR(mEngine->MixInit(nullptr), MixMessage::AlreadyInitialized);
    const auto wave = Loaded(Ramp(600));
    Play(0, *wave);
    EXPECT_EQ(Device().QueuedBlocks(), 2);
}

TEST_F(MixSessionTest, InvalidSessionsAreRejected)
{
    Start();
    EXPECT_MIXER_ERROR(mEngine->MixActivate(nullptr, true), MixMessage::InvalidSession);
    TMixSession stranger;
    EXPECT_MIXER_ERROR(mEngine->MixOpenChannel(&stranger, 0, 0), MixMessage::InvalidSession);
    mSession->EndMark = 0x1234;
    EXPECT_MIXER_ERROR(mEngine->MixFlushChannel(mSession, 0, 0), MixMessage::InvalidSession);
    mSession->EndMark = SessionMark;
    mEngine->MixShutdown(mSession);
    EXPECT_MIXER_ERROR(mEngine->MixShutdown(mSession), MixMessage::InvalidSession);
    EXPECT_EQ(mEngine->CurrentSession(), nullptr);
    mSession = mEngine->MixInit(nullptr); // a new session after shutdown works
    EXPECT_NE(mSession, nullptr);
}

TEST_F(MixSessionTest, ChannelOperationsCheckTheirArguments)
{
    Start(QByteArray(), false);
    const auto wave = Loaded(Ramp(600));
    EXPECT_MIXER_ERROR(Play(0, *wave), MixMessage::NoOpenChannel);
    EXPECT_MIXER_ERROR(mEngine->MixOpenChannel(mSession, 0, 3), MixMessage::InvalidFlags);
    EXPECT_MIXER_ERROR(mEngine->MixOpenChannel(mSession, 8, ChannelOpenSingle),
                       MixMessage::InvalidChannel);
    EXPECT_MIXER_ERROR(mEngine->MixOpenChannel(mSession, 9, ChannelOpenCount),
                       MixMessage::InvalidChannelCount);
    EXPECT_MIXER_ERROR(mEngine->MixOpenChannel(mSession, 0, ChannelOpenCount),
                       MixMessage::InvalidChannelCount);
    mEngine->MixOpenChannel(mSession, 2, ChannelOpenSingle);
    EXPECT_MIXER_ERROR(mEngine->MixOpenChannel(mSession, 2, ChannelOpenSingle),
                       MixMessage::ChannelAlreadyOpen);
    mEngine->MixOpenChannel(mSession, 4, ChannelOpenCount);
    EXPECT_EQ(mSession->OpenChannelCount, 4);
    EXPECT_FALSE(mSession->Channels[4].Open);

    EXPECT_MIXER_ERROR(Play(5, *wave), MixMessage::ChannelNotOpen);
    EXPECT_MIXER_ERROR(Play(-1, *wave), MixMessage::InvalidChannel);
    EXPECT_MIXER_ERROR(mEngine->MixFlushChannel(mSession, 5, 0), MixMessage::ChannelNotOpen);
    EXPECT_MIXER_ERROR(mEngine->MixCloseChannel(mSession, 8, 0), MixMessage::InvalidChannel);
    EXPECT_MIXER_ERROR(mEngine->MixPlay(nullptr), MixMessage::NilParams);
    TPlayParams noWave = Params(0, *wave);
    noWave.Wave = nullptr;
    EXPECT_MIXER_ERROR(mEngine->MixPlay(&noWave), MixMessage::NilWave);

    Play(1, *wave);
    mEngine->MixCloseChannel(mSession, 1, 0);
    EXPECT_EQ(mSession->OpenChannelCount, 3);
    EXPECT_EQ(mEngine->FreePlayRecords(), PlayRecordCount);
    mEngine->MixCloseChannel(mSession, 0, FlushAllChannels);
    EXPECT_EQ(mSession->OpenChannelCount, 0);

    mEngine->MixOpenChannel(mSession, 0, ChannelOpenAll);
    mEngine->MixActivate(mSession, false);
    EXPECT_MIXER_ERROR(Play(0, *wave), MixMessage::NotActive);
}

TEST_F(MixSessionTest, FailedOpenLeavesTheDeviceFreeForALaterActivation)
{
    mBackend.OpenError = 7;
    TMixEngine engine(mBackend, QString());
    TMixSession *session = engine.MixInit(nullptr);
    EXPECT_MIXER_ERROR(engine.MixActivate(session, true), "Failed to open waveform output device #7");
    EXPECT_EQ(engine.DeviceOwner(), nullptr);
    EXPECT_FALSE(session->Active);

    mBackend.OpenError = 0;
    mBackend.PrepareError = 5;
    EXPECT_MIXER_ERROR(engine.MixActivate(session, true), "Unable to prepare wave header #5");
    EXPECT_EQ(mBackend.Device(), nullptr); // closed again
    EXPECT_FALSE(engine.Blocks().Exist());

    mBackend.PrepareError = 0;
    engine.MixActivate(session, true);
    EXPECT_TRUE(session->Active);
    EXPECT_EQ(engine.DeviceOwner(), session);
}

TEST_F(MixSessionTest, RefusedWriteFreesTheBlockAndLeavesTheDeviceRunning)
{
    Start();
    mBackend.FailWriteNumber = 2;
    const auto wave = Loaded(Ramp(3000));
    EXPECT_MIXER_ERROR(Play(0, *wave), MixMessage::WriteFailed);
    EXPECT_EQ(mEngine->Blocks().InFlightCount(), 1);
    EXPECT_FALSE(Device().Paused());
}

TEST_F(MixSessionTest, LoadingNeedsADeviceThatPlaysTheOutputFormat)
{
    Start();
    mBackend.FormatSupported = false;
    EXPECT_MIXER_ERROR(mEngine->MixLoadWave(mSession, mDir.File("x.wav")),
                       MixMessage::CantPlayFormat);
    mBackend.FormatSupported = true;
    EXPECT_MIXER_ERROR(mEngine->MixLoadWave(mSession, mDir.File("x.wav")),
                       MixMessage::OpenWaveFailed + mDir.File("x.wav").toStdString());
}
