#include "WaveBytes.h"
#include "support/TempDir.h"

#include "sound/ManualAudioBackend.h"
#include "sound/MixEngine.h"
#include "sound/MixerError.h"
#include "sound/SoundMixer.h"

#include <gtest/gtest.h>

using namespace WaveBytes;

namespace {

class SoundMixerTest : public ::testing::Test
{
protected:
    SoundMixerTest()
    {
        auto backend = std::make_unique<TManualAudioBackend>();
        mBackend = backend.get();
        mMixer = std::make_unique<TSoundMixer>(
            nullptr, std::move(backend),
            mDir.Write("MIXER.INI", "[default]\nBlockLength=512\nDeviceClock=1\n"));
    }

    bool Open(int channel) const { return mMixer->Session()->Channels[size_t(channel)].Open; }

    TLoadedWave *LoadWav(const QByteArray &data)
    {
        return mMixer->LoadWave(mDir.Write(QStringLiteral("s%1.wav").arg(++mFiles),
                                           Wav(1, 11025, 8, data)));
    }

    TempDir mDir;
    TManualAudioBackend *mBackend = nullptr;
    std::unique_ptr<TSoundMixer> mMixer;
    int mFiles = 0;
};

} // namespace

TEST_F(SoundMixerTest, ChannelMaskOpensAndClosesTheDifferingChannels)
{
    mMixer->SetChannels(255);
    EXPECT_EQ(mMixer->Session()->OpenChannelCount, 8);
    mMixer->SetChannels(15);
    for (int c = 0; c < 8; ++c)
        EXPECT_EQ(Open(c), c < 4) << c;
    mMixer->SetChannels(255);
    EXPECT_EQ(mMixer->Session()->OpenChannelCount, 8);
    mMixer->SetChannels(0b10100000);
    EXPECT_EQ(mMixer->Session()->OpenChannelCount, 2);
    EXPECT_TRUE(Open(5) && Open(7));
    mMixer->SetChannels(0);
    EXPECT_EQ(mMixer->Session()->OpenChannelCount, 0);
    EXPECT_EQ(mMixer->property("Channels").toInt(), 0);
}

TEST_F(SoundMixerTest, ActivatedTouchesTheDeviceOnlyWhenItChanges)
{
    mMixer->SetActivated(true);
    mMixer->SetActivated(true);
    EXPECT_EQ(mBackend->OpenCount(), 1);
    mMixer->setProperty("Activated", false);
    EXPECT_EQ(mBackend->Device(), nullptr);
    mBackend->OpenError = 4;
    EXPECT_THROW(mMixer->SetActivated(true), EMixerError);
    EXPECT_FALSE(mMixer->Activated());
}

TEST_F(SoundMixerTest, CueCutsOnlyItsOwnUnmixedPreviousOccurrence)
{
    mMixer->SetChannels(255);
    mMixer->SetActivated(true);
    TLoadedWave *shot = LoadWav(Filled(3001, 150));
    TLoadedWave *boom = LoadWav(Filled(4001, 108));
    mMixer->PlayCue(1, shot);
    mMixer->PlayCue(2, boom);
    mMixer->PlayCue(1, shot);
    TManualAudioDevice &device = *mBackend->Device();
    device.RunDry();
    const QByteArray played = device.Played();
    // Three blocks of the first shot, then the whole second shot mixed with
    // the explosion, which started after the same blocks.
    EXPECT_EQ(played.left(1536), Filled(1536, 150));
    EXPECT_EQ(played.mid(1536, 3000), Filled(3000, 130));
    EXPECT_EQ(played.mid(4536, 1000), Filled(1000, 108));
}

TEST_F(SoundMixerTest, GameMixerIsOpenAndActiveAndReleasesItsWaves)
{
    auto backend = std::make_unique<TManualAudioBackend>();
    TManualAudioBackend *raw = backend.get();
    QObject owner;
    TSoundMixer *mixer = TSoundMixer::CreateForGame(&owner, std::move(backend));
    EXPECT_EQ(mixer->parent(), &owner);
    EXPECT_EQ(mixer->Channels(), 255);
    EXPECT_TRUE(mixer->Activated());
    EXPECT_NE(raw->Device(), nullptr);
    TLoadedWave *wave = mixer->LoadWave(mDir.Write("g.wav", Wav(1, 11025, 8, Ramp(600))));
    mixer->PlayCue(3, wave);
    mixer->ReleaseWave(wave);
    EXPECT_EQ(mixer->Session()->Channels[3].Head, nullptr);
    EXPECT_THROW(mixer->ReleaseWave(wave), EMixerError);
}

TEST_F(SoundMixerTest, DestroyingWithQueuedPlaysAndLoadedWavesIsClean)
{
    mMixer->SetChannels(255);
    mMixer->SetActivated(true);
    TLoadedWave *wave = LoadWav(Ramp(5000));
    mMixer->Play(0, wave, nullptr, 0, LoopForever);
    mMixer.reset();
}

TEST_F(SoundMixerTest, LoadFailureReachesTheCallerAndKeepsNothing)
{
    EXPECT_THROW(mMixer->LoadWave(mDir.File("missing.wav")), EMixerError);
    mMixer->SetChannels(255);
    mMixer->SetActivated(true);
    TLoadedWave *wave = LoadWav(Ramp(100));
    EXPECT_THROW(mMixer->Play(8, wave), EMixerError);
    EXPECT_THROW(mMixer->ReleaseWave(nullptr), EMixerError);
}

TEST_F(SoundMixerTest, VolumeScalesWhatTheDevicePlaysAndFullVolumeChangesNothing)
{
    mMixer->SetChannels(255);
    mMixer->SetActivated(true);
    EXPECT_EQ(mMixer->Volume(), 100);
    TLoadedWave *ramp = LoadWav(Ramp(700));
    mMixer->PlayCue(1, ramp);
    mBackend->Device()->RunDry();
    const QByteArray full = mBackend->Device()->Played();
    EXPECT_EQ(full.left(699), Ramp(699));

    mMixer->setProperty("Volume", 150);
    EXPECT_EQ(mMixer->Volume(), 100);
    mMixer->SetVolume(-3);
    EXPECT_EQ(mMixer->Volume(), 0);
    mMixer->SetVolume(50);
    TLoadedWave *loud = LoadWav(Filled(600, 228));
    mMixer->PlayCue(1, loud);
    mBackend->Device()->RunDry();
    EXPECT_EQ(mBackend->Device()->Played().mid(full.size(), 599), Filled(599, 178));
}

TEST_F(SoundMixerTest, CueAtPlayPositionIsHeardAtOnceOverTheQueuedBlocksAndCutsItsOwnPrevious)
{
    auto backend = std::make_unique<TManualAudioBackend>();
    TManualAudioBackend *raw = backend.get();
    TSoundMixer mixer(nullptr, std::move(backend),
                      mDir.Write("cues.ini", "[default]\nBlockLength=512\nBlockCount=6\n"
                                             "DeviceClock=1\nCueAtPlayPosition=1\n"));
    mixer.SetChannels(255);
    mixer.SetActivated(true);
    TLoadedWave *shot = mixer.LoadWave(mDir.Write("shot.wav", Wav(1, 11025, 8, Filled(3001, 150))));
    TLoadedWave *boom = mixer.LoadWave(mDir.Write("boom.wav", Wav(1, 11025, 8, Filled(4001, 108))));
    TManualAudioDevice &device = *raw->Device();
    mixer.PlayCue(1, shot);
    device.Consume(100);
    mixer.PlayCue(2, boom);
    device.Consume(200);
    mixer.PlayCue(1, shot);
    device.RunDry();
    const QByteArray played = device.Played();
    EXPECT_EQ(played.left(100), Filled(100, 150));
    EXPECT_EQ(played.mid(100, 200), Filled(200, 130));
    // The second shot restarts where the device stood, over the explosion.
    EXPECT_EQ(played.mid(300, 3000), Filled(3000, 130));
    EXPECT_EQ(played.mid(3300, 801), Filled(800, 108) + char(SilenceByte));
}
