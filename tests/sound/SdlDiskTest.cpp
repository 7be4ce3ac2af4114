#include "WaveBytes.h"
#include "support/TempDir.h"

#include "sound/MixEngine.h"
#include "sound/SdlAudioBackend.h"
#include "sound/SdlAudioDevice.h"
#include "sound/SoundMixer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace WaveBytes;

namespace {

// Runs the event loop until the mixer has nothing queued or in flight.
bool WaitUntilIdle(TSoundMixer &mixer, int timeoutMs = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        QCoreApplication::processEvents();
        const TMixSession *session = mixer.Session();
        const bool queued = std::any_of(session->Channels.begin(), session->Channels.end(),
                                        [](const TChannel &c) { return c.Head != nullptr; });
        if (!queued && !mixer.Engine().Blocks().AnyInFlight())
            return true;
        QThread::msleep(5);
    }
    return false;
}

// The output without the silence SDL plays while nothing is queued.
QByteArray Trimmed(const QByteArray &bytes)
{
    qsizetype first = 0;
    qsizetype last = bytes.size();
    while (first < last && uint8_t(bytes[first]) == 128)
        ++first;
    while (last > first && uint8_t(bytes[last - 1]) == 128)
        --last;
    return bytes.mid(first, last - first);
}

} // namespace

TEST(SdlDiskTest, WavesPlayedThroughTheMixerComeOutAsTheExpectedBytes)
{
    TempDir dir;
    const QString output = dir.File("out.raw");
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output.toLocal8Bit().constData(), 1);

    // Never 128 inside, so trimming the surrounding silence is exact.
    QByteArray first, second;
    for (int i = 0; i < 1500; ++i)
        first.append(char(uint8_t(130 + i % 100)));
    for (int i = 0; i < 900; ++i)
        second.append(char(uint8_t(100 - i % 50)));
    {
        auto backend = std::make_unique<TSdlAudioBackend>();
        ASSERT_FALSE(backend->Silent());
        TSoundMixer *mixer = TSoundMixer::CreateForGame(nullptr, std::move(backend));
        std::unique_ptr<TSoundMixer> owner(mixer);
        TLoadedWave *a = mixer->LoadWave(dir.Write("a.wav", Wav(1, 11025, 8, first)));
        TLoadedWave *b = mixer->LoadWave(dir.Write("b.wav", Wav(1, 11025, 8, second)));

        mixer->PlayCue(1, a);
        ASSERT_TRUE(WaitUntilIdle(*mixer));
        // Two cues at one moment: held first so both start together.
        mixer->Play(1, a, nullptr, PlayHold, 0);
        mixer->Play(2, b);
        ASSERT_TRUE(WaitUntilIdle(*mixer));
        QThread::msleep(100); // let SDL write out what it has taken
    }
    setenv("SDL_AUDIODRIVER", "dummy", 1);

    QByteArray together = first.left(1499);
    for (int i = 0; i < 899; ++i)
        together[i] = char(uint8_t(std::clamp(uint8_t(first[i]) + uint8_t(second[i]) - 128, 0, 255)));
    const QByteArray expected = first.left(1499);

    const QByteArray written = dir.Read("out.raw");
    const qsizetype at = written.indexOf(expected);
    ASSERT_GE(at, 0) << "first cue not found in " << written.size() << " bytes";
    EXPECT_EQ(Trimmed(written.left(at + expected.size())), expected);
    EXPECT_EQ(Trimmed(written.mid(at + expected.size())), together);
}

TEST(SdlSilentTest, WithoutAUsableDriverTheMixerStillWorksSilently)
{
    TempDir dir;
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    auto backend = std::make_unique<TSdlAudioBackend>();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    EXPECT_TRUE(backend->Silent());
    std::unique_ptr<TSoundMixer> mixer(TSoundMixer::CreateForGame(nullptr, std::move(backend)));
    TLoadedWave *wave = mixer->LoadWave(dir.Write("a.wav", Wav(1, 11025, 8, Ramp(2000))));
    mixer->PlayCue(1, wave);
    // The silent device still takes the blocks in real time, so plays end.
    EXPECT_TRUE(WaitUntilIdle(*mixer));
    EXPECT_EQ(mixer->Engine().FreePlayRecords(), PlayRecordCount);
}

// SDL's thread wakes for every buffer of silence; an idle game must not keep it.
TEST(SdlIdleTest, TheDeviceClosesWhenNothingPlaysAndOpensForTheNextCue)
{
    TempDir dir;
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::unique_ptr<TSoundMixer> mixer(
        TSoundMixer::CreateForGame(nullptr, std::make_unique<TSdlAudioBackend>()));
    auto *device = dynamic_cast<TSdlAudioDevice *>(mixer->Session()->Device.get());
    ASSERT_NE(device, nullptr);
    TLoadedWave *wave = mixer->LoadWave(dir.Write("a.wav", Wav(1, 11025, 8, Ramp(2000))));
    const auto pump = [](int ms) {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < ms) {
            QCoreApplication::processEvents();
            QThread::msleep(5);
        }
    };
    for (int round = 0; round < 2; ++round) {
        mixer->PlayCue(1, wave);
        EXPECT_TRUE(device->StreamOpen()) << "round " << round;
        ASSERT_TRUE(WaitUntilIdle(*mixer));
        const int32_t played = device->Position();
        pump(TSdlAudioDevice::IdleCloseMs + 300);
        EXPECT_FALSE(device->StreamOpen()) << "round " << round;
        EXPECT_EQ(device->Position(), played) << "closing keeps the position the mixer's clock reads";
    }
    EXPECT_EQ(mixer->Engine().FreePlayRecords(), PlayRecordCount);
}
