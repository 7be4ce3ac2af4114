#include "GameFixture.h"

#include "design/GamePar.h"
#include "sound/MixEngine.h"
#include "sound/MixSession.h"
#include "sound/SdlAudioDevice.h"
#include "sound/SoundMixer.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteList.h"
#include "sound/WaveBytes.h"
#include "support/TickCounting.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>

#include <algorithm>

namespace {

// The output without the silence SDL plays while nothing is queued.
QByteArray Trimmed(const QByteArray &bytes)
{
    qsizetype first = 0;
    qsizetype last = bytes.size();
    while (first < last && uint8_t(bytes[first]) == SilenceByte)
        ++first;
    while (last > first && uint8_t(bytes[last - 1]) == SilenceByte)
        --last;
    return bytes.mid(first, last - first);
}

bool AllSilent(const QByteArray &bytes)
{
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char byte) { return uint8_t(byte) == SilenceByte; });
}

// Restores an environment variable when the test ends.
class TEnvironmentVariable
{
public:
    TEnvironmentVariable(const char *name, const QByteArray &value)
        : mName(name), mWasSet(qEnvironmentVariableIsSet(name)), mOld(qgetenv(name))
    {
        qputenv(mName, value);
    }
    ~TEnvironmentVariable()
    {
        if (mWasSet)
            qputenv(mName, mOld);
        else
            qunsetenv(mName);
    }
    TEnvironmentVariable(const TEnvironmentVariable &) = delete;
    TEnvironmentVariable &operator=(const TEnvironmentVariable &) = delete;

private:
    const char *mName;
    bool mWasSet;
    QByteArray mOld;
};

} // namespace

// The real main window playing through SDL's disk driver, which writes
// every byte it plays to a file in real time, under the shipped mixer
// tuning. Ticks come only from the script, never from the event loop, so
// nothing plays while the test waits unless the test made it.
class SoundCueTest : public GameFixture
{
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        mOutput = mAudioDir.File("cues.raw");
        // A tuning file in the user's own configuration must not change
        // what the test hears.
        mAudioDir.Write("config/snapstorm/MIXER.INI", ReadFile(SNAPSTORM_BIN_DIR "/MIXER.INI"));
        mConfigHome = std::make_unique<TEnvironmentVariable>(
            "XDG_CONFIG_HOME", mAudioDir.File("config").toLocal8Bit());
        mDriver = std::make_unique<TEnvironmentVariable>("SDL_AUDIODRIVER", "disk");
        mDiskFile = std::make_unique<TEnvironmentVariable>("SDL_DISKAUDIOFILE", mOutput.toLocal8Bit());
    }

    void TearDown() override
    {
        Close();
        mDiskFile.reset();
        mDriver.reset();
        mConfigHome.reset();
    }

    void WriteSettings(const QByteArray &text) { mSettingsDir.Write("snapstorm.ini", text); }

    void StartListening()
    {
        TMainFormOptions options{mSettingsPath, true, nullptr, mRoot.Path()};
        options.OpenSoundDevice = true;
        mForm = std::make_unique<TMainForm>(options);
        mForm->FormShow();
        Timer1().stop();
        AttachRunner();
        mMixer = mForm->findChild<TSoundMixer *>(QStringLiteral("Mixer"));
        ASSERT_NE(mMixer, nullptr);
        mDevice = dynamic_cast<TSdlAudioDevice *>(mMixer->Session()->Device.get());
        ASSERT_NE(mDevice, nullptr) << "the game did not open SDL's output";
    }

    void Ticks(const QString &script)
    {
        Timer1().start();
        Run(script);
        Timer1().stop();
    }

    // Out from under the homes (which stop rockets), with a rocket ready.
    void StartGameReadyToFire() { Ticks("seed 1\nnew\ntick 25\ntick 10 Left"); }

    void FireRocket()
    {
        const int before = EnabledCount(Round().Sprites().Rockets());
        Ticks("tick 1 Space");
        ASSERT_EQ(EnabledCount(Round().Sprites().Rockets()), before + 1) << "no rocket was fired";
    }

    // Runs the event loop until every queued sound has been handed to SDL,
    // then a little longer for SDL to play its own buffer; returns the
    // output position reached, as a byte offset into the output file.
    int64_t PlayOut()
    {
        QElapsedTimer timer;
        timer.start();
        bool idle = false;
        while (!idle && timer.elapsed() < 5000) {
            Pump(5);
            const TMixSession *session = mMixer->Session();
            idle = std::none_of(session->Channels.begin(), session->Channels.end(),
                                [](const TChannel &c) { return c.Head != nullptr; })
                   && !mMixer->Engine().Blocks().AnyInFlight();
        }
        EXPECT_TRUE(idle) << "the mixer did not play out within 5 s";
        Pump(60);
        return mDevice->StreamBytes();
    }

    static void Pump(int ms)
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < ms) {
            QCoreApplication::processEvents();
            QThread::msleep(1);
        }
    }

    // What the mixer makes of a wave file: its bytes in the output format,
    // less the last one, which a play never reaches.
    QByteArray Converted(const QString &waveFile)
    {
        TLoadedWave *wave = mMixer->LoadWave(waveFile);
        const QByteArray bytes(reinterpret_cast<const char *>(wave->Data.get()), wave->Length - 1);
        mMixer->ReleaseWave(wave);
        return bytes;
    }

    // Closing the device makes SDL write out the rest of the file.
    QByteArray CloseAndRead()
    {
        Close();
        return ReadFile(mOutput);
    }

    void Close()
    {
        mRunner.reset();
        mForm.reset();
        mMixer = nullptr;
        mDevice = nullptr;
    }

    TempDir mAudioDir;
    QString mOutput;
    std::unique_ptr<TEnvironmentVariable> mConfigHome;
    std::unique_ptr<TEnvironmentVariable> mDriver;
    std::unique_ptr<TEnvironmentVariable> mDiskFile;
    TSoundMixer *mMixer = nullptr;
    TSdlAudioDevice *mDevice = nullptr;
};

TEST_F(SoundCueTest, FiredRocketIsHeardAsTheShotWaveAfterSilence)
{
    WriteSettings("Language=english.lng\r\n");
    StartListening();
    StartGameReadyToFire();
    const QByteArray shot = Converted(GamePar().SoundFile(1));
    ASSERT_FALSE(Trimmed(shot).isEmpty());
    const int64_t mark = PlayOut();

    FireRocket();
    const int64_t end = PlayOut();
    const QByteArray written = CloseAndRead();

    ASSERT_GE(written.size(), end);
    const QByteArray after = written.mid(mark);
    const qsizetype at = after.indexOf(Trimmed(shot));
    ASSERT_GE(at, 0) << "the shot is not in the " << after.size() << " bytes after the cue";
    // Nothing but the shot, in order: silence up to it and after it.
    EXPECT_TRUE(AllSilent(after.left(at)));
    EXPECT_EQ(Trimmed(after), Trimmed(shot));
}

TEST_F(SoundCueTest, NoDirectSoundKeepsEveryCueSilent)
{
    WriteSettings("Language=english.lng\r\nNoDirectSound=1\r\n");
    StartListening();
    StartGameReadyToFire();
    FireRocket();
    Ticks("tick 60 Space"); // more shots, hits and explosions
    const int64_t end = PlayOut();
    EXPECT_TRUE(mMixer->Activated());
    const QByteArray written = CloseAndRead();

    // The device ran all along; it only ever played silence.
    ASSERT_GT(end, 0);
    ASSERT_GE(written.size(), end);
    EXPECT_TRUE(AllSilent(written)) << Trimmed(written).size() << " bytes of sound";
}

TEST_F(SoundCueTest, UncheckedSoundItemSilencesCuesUntilCheckedAgain)
{
    WriteSettings("Language=english.lng\r\n");
    StartListening();
    StartGameReadyToFire();
    const QByteArray shot = Converted(GamePar().SoundFile(1));
    Sound1().trigger();
    ASSERT_FALSE(Sound1().isChecked());
    const int64_t silentFrom = PlayOut();

    FireRocket();
    Ticks("tick 5"); // reloads
    const int64_t silentTo = PlayOut();
    Sound1().trigger();
    ASSERT_TRUE(Sound1().isChecked());
    FireRocket();
    PlayOut();
    const QByteArray written = CloseAndRead();

    ASSERT_GE(written.size(), silentTo);
    EXPECT_TRUE(AllSilent(written.mid(silentFrom, silentTo - silentFrom)));
    EXPECT_EQ(Trimmed(written.mid(silentTo)), Trimmed(shot));
}

// A design whose sound cannot be read: loading it fails exactly when the
// game tries to load its waves.
class NoDirectSoundDesignTest : public GameFixture
{
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        MakeDesign("Broken", {{"!design.ini", ""}, {"Sound1.wav", "not a wave"}});
    }
};

TEST_F(NoDirectSoundDesignTest, NoWaveIsLoadedSoAnUnreadableSoundDoesNotStopTheDesign)
{
    mSettingsDir.Write("snapstorm.ini", "Design=Broken\r\nNoDirectSound=1\r\n");
    Start();
    EXPECT_EQ(GamePar().DesignName().toStdString(), "Broken");
    Run("new\ntick 3\nstop\ndesign Default\ndesign Broken");
    EXPECT_EQ(GamePar().DesignName().toStdString(), "Broken");
}

TEST_F(NoDirectSoundDesignTest, WithSoundTheUnreadableWaveStopsTheDesign)
{
    // The counterpart: the wave really is unreadable and really is loaded.
    mSettingsDir.Write("snapstorm.ini", "Design=Broken\r\n");
    Start();
    EXPECT_NE(GamePar().DesignName().toStdString(), "Broken");
}

TEST_F(NoDirectSoundDesignTest, DesignWhoseWaveFailsIsNeitherRememberedNorLeftHalfApplied)
{
    Start();
    const QString before = GamePar().DesignName();
    EXPECT_ANY_THROW(mForm->DesignItemClick("Broken"));
    EXPECT_EQ(Settings().Value("Design"), "");
    // The game goes on with the design it had, so a new game starts cleanly.
    EXPECT_EQ(GamePar().DesignName(), before);
    EXPECT_NO_THROW(mForm->NewGameClick());
}

// 32-bit float, as a sound editor or another program writes it.
TEST_F(NoDirectSoundDesignTest, AFloatWaveInADesignKeepsThePreviousDesignWithOneMessageNamingIt)
{
    const QByteArray floatWave = WaveBytes::Riff(WaveBytes::Fmt(2, 44100, 32, 3)
                                                 + WaveBytes::Chunk("data", QByteArray(800, 0)));
    MakeDesign("Float", {{"!design.ini", ""}, {"Sound3.wav", floatWave}});
    mSettingsDir.Write("snapstorm.ini", "Language=english.lng\n");
    Start();
    const QString path = QDir::toNativeSeparators(mRoot.File("Float/Sound3.wav"));
    try {
        mForm->DesignItemClick("Float");
        ADD_FAILURE() << "applied";
    } catch (const std::exception &e) {
        EXPECT_EQ(QString::fromUtf8(e.what()),
                  QString("The design \"Float\" cannot be used. Its sound \"%1\" cannot be played: the game plays "
                          "only plain waves of 8 or 16 bits. Load the sound again in the design editor (F9), "
                          "which converts it.").arg(path));
    }
    EXPECT_EQ(GamePar().DesignName(), "Default");
    EXPECT_NO_THROW(Run("new\ntick 3"));
}
