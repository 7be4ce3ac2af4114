// Plays the Default design's cues through SDL's disk driver while two busy
// processes keep both cores loaded and the design is loaded again every few
// seconds on this (the mixer's) thread, as the game does. Reports the gaps
// heard inside cues and the worst delay from a cue to its first byte.
//
//   sound_stutter [SECONDS [MIXER.INI ...]]   (default: 60 s, the shipped file)
//
// A gap is a request of SDL's that found the written blocks used up while
// some cue was mixed only in part: the rest of that cue comes after silence.
// The delay of a cue is the bytes queued ahead of its first byte, as told by
// the device's own count, plus SDL's buffer, plus any time it waited to be
// mixed at all.
#include "design/GamePar.h"
#include "sound/MixEngine.h"
#include "sound/MixSession.h"
#include "sound/SdlAudioBackend.h"
#include "sound/SdlAudioDevice.h"
#include "sound/SoundMixer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int DesignLoadEveryMs = 3000;

// Two processes that only spin, one per core.
class TBusyLoads
{
public:
    TBusyLoads()
    {
        for (pid_t &pid : mPids) {
            pid = fork();
            if (pid == 0) {
                for (;;)
                    asm volatile("" ::: "memory");
            }
        }
    }
    ~TBusyLoads()
    {
        for (const pid_t pid : mPids) {
            if (pid > 0) {
                kill(pid, SIGKILL);
                waitpid(pid, nullptr, 0);
            }
        }
    }
    TBusyLoads(const TBusyLoads &) = delete;
    TBusyLoads &operator=(const TBusyLoads &) = delete;

private:
    pid_t mPids[2] = {-1, -1};
};

struct TResult
{
    int Cues = 0;
    int Gaps = 0;
    double WorstMs = 0;
    double SumMs = 0;
    int Measured = 0;
    double LongestLoadMs = 0;
    double QueueMs = 0;
};

// A cue not yet mixed into any block handed to the device.
struct TWaiting
{
    int Channel;
    int32_t Start;
    qint64 CalledAtMs;
};

class TStutterRun
{
public:
    TStutterRun(const QString &ini, const QString &output) : mOutput(output)
    {
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", mOutput.toLocal8Bit());
        mMixer = std::make_unique<TSoundMixer>(nullptr, std::make_unique<TSdlAudioBackend>(), ini);
        mSession = mMixer->Session();
        const int rate = int(mSession->Format.SamplesPerSec);
        mBufferMs = 1000.0 * TSdlAudioBackend::BufferFrames(rate) / rate;
        // The driver writes one buffer, then sleeps this long: a whole
        // number of milliseconds, so it takes bytes a little faster than
        // real time, which only makes gaps likelier.
        qputenv("SDL_DISKAUDIODELAY", QByteArray::number(int(mBufferMs)));
        mMixer->SetChannels(255);
        mMixer->SetActivated(true);
        mDevice = dynamic_cast<TSdlAudioDevice *>(mSession->Device.get());
        mResult.QueueMs = 1000.0 * mSession->BlockCount * mSession->BlockLength
                          / mSession->BytesPerSec();
    }

    TResult Run(int seconds)
    {
        if (!mDevice) {
            std::fprintf(stderr, "SDL's disk driver did not open\n");
            return mResult;
        }
        TGamePar par(QStringLiteral(SNAPSTORM_BIN_DIR "/design/"));
        par.Load(QString());
        TLoadedWave *waves[8] = {};
        for (int cue = 1; cue <= 7; ++cue)
            waves[cue] = mMixer->LoadWave(par.SoundFile(cue));

        std::mt19937 random(4711);
        QElapsedTimer clock;
        clock.start();
        qint64 nextCue = 0;
        qint64 nextLoad = DesignLoadEveryMs;
        Snapshot();
        while (clock.elapsed() < seconds * 1000LL) {
            QCoreApplication::processEvents();
            Snapshot();
            if (clock.elapsed() >= nextCue) {
                const int cue = std::uniform_int_distribution<int>(1, 7)(random);
                Forget(cue);
                mMixer->PlayCue(cue, waves[cue]);
                Snapshot();
                Track(cue, clock.elapsed());
                ++mResult.Cues;
                nextCue = clock.elapsed() + std::uniform_int_distribution<int>(20, 400)(random);
            }
            if (clock.elapsed() >= nextLoad) {
                const qint64 at = clock.elapsed();
                par.Load(QString());
                mResult.LongestLoadMs = std::max(mResult.LongestLoadMs, double(clock.elapsed() - at));
                Snapshot();
                nextLoad = clock.elapsed() + DesignLoadEveryMs;
            }
            Settle(clock.elapsed());
            QThread::msleep(1);
            Snapshot();
        }
        mMixer->FlushAll(true);
        return mResult;
    }

private:
    // Counts the short requests of SDL's since the last look that came
    // while a cue was mixed only in part.
    void Snapshot()
    {
        const int64_t shortFills = mDevice->ShortFills();
        if (mPartlyMixed && shortFills > mShortFills)
            ++mResult.Gaps;
        mShortFills = shortFills;
        mPartlyMixed = PartlyMixed();
    }

    bool PartlyMixed() const
    {
        const int32_t mixed = mSession->MixPosition;
        for (const TChannel &channel : mSession->Channels) {
            for (const TQueuedPlay *play = channel.Open ? channel.Head : nullptr; play;
                 play = play->Next) {
                if (play->Start < mixed && mixed < play->End)
                    return true;
            }
        }
        return false;
    }

    void Track(int cue, qint64 nowMs)
    {
        const TQueuedPlay *play = mSession->Channels[size_t(cue)].Head;
        while (play && play->Next)
            play = play->Next;
        if (play)
            mWaiting.push_back({cue, play->Start, nowMs});
        Settle(nowMs);
    }

    // A cue cut off by its next occurrence before it was mixed is never heard.
    void Forget(int cue)
    {
        std::erase_if(mWaiting, [cue](const TWaiting &w) { return w.Channel == cue; });
    }

    void Settle(qint64 nowMs)
    {
        // The device's count, whichever clock the tuning selects.
        const int32_t playing = mSession->Clock.DevicePosition(mDevice->Position());
        std::erase_if(mWaiting, [&](const TWaiting &w) {
            if (w.Start >= mSession->MixPosition)
                return false;
            const double queuedMs = 1000.0 * std::max(0, w.Start - playing) / mSession->BytesPerSec();
            const double ms = double(nowMs - w.CalledAtMs) + queuedMs + mBufferMs;
            mResult.WorstMs = std::max(mResult.WorstMs, ms);
            mResult.SumMs += ms;
            ++mResult.Measured;
            return true;
        });
    }

    QString mOutput;
    std::unique_ptr<TSoundMixer> mMixer;
    TMixSession *mSession = nullptr;
    TSdlAudioDevice *mDevice = nullptr;
    double mBufferMs = 0;
    int64_t mShortFills = 0;
    bool mPartlyMixed = false;
    std::vector<TWaiting> mWaiting;
    TResult mResult;
};

} // namespace

int main(int argc, char **argv)
{
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
    // Before anything else exists, so the children hold nothing but a loop.
    const TBusyLoads busy;
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList inis;
    for (int i = 2; i < argc; ++i)
        inis << QString::fromLocal8Bit(argv[i]);
    if (inis.isEmpty())
        inis << QStringLiteral(SNAPSTORM_SHIPPED_MIXER_INI);
    QTemporaryDir dir;
    for (const QString &ini : inis) {
        TResult r;
        {
            TStutterRun run(ini, dir.filePath(QStringLiteral("out.raw")));
            r = run.Run(seconds);
        }
        std::printf("%-24s %3d s: %4d cues, %3d gaps inside cues, worst latency %6.1f ms, "
                    "mean %6.1f ms; queue %5.1f ms; longest design load %4.0f ms\n",
                    qPrintable(QFileInfo(ini).fileName()), seconds, r.Cues, r.Gaps, r.WorstMs,
                    r.Measured ? r.SumMs / r.Measured : 0.0, r.QueueMs, r.LongestLoadMs);
        std::fflush(stdout);
    }
    return 0;
}
