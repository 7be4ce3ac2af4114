// Measures how late a sound cue is heard: the delay from the play call to
// the cue's first byte being handed to the audio layer, through SDL's disk
// driver (which takes bytes in real time), with the default tuning and with
// the shipped MIXER.INI. A looping background keeps the mixer busy, so every
// cue waits behind the blocks already queued: the worst case.
#include "sound/MixEngine.h"
#include "sound/SdlAudioBackend.h"
#include "sound/SdlAudioDevice.h"
#include "sound/SoundMixer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

constexpr uint8_t Background = 120;
constexpr uint8_t Cue = 200;
constexpr uint8_t Together = Background + Cue - 128;

QByteArray Wav(const QByteArray &data)
{
    QByteArray out("RIFF");
    const auto put = [&out](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out.append(char((v >> (8 * i)) & 0xFF));
    };
    put(uint32_t(36 + data.size()), 4);
    out.append("WAVEfmt ");
    put(16, 4);
    put(1, 2);
    put(1, 2);
    put(11025, 4);
    put(11025, 4);
    put(1, 2);
    put(8, 2);
    out.append("data");
    put(uint32_t(data.size()), 4);
    return out + data;
}

void Pump(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents();
        QThread::msleep(1);
    }
}

struct TResult
{
    double WorstMs = 0;
    double MeanMs = 0;
    double BoundMs = 0;
    double BufferMs = 0;
    int Trials = 0;
};

TResult Measure(const QTemporaryDir &dir, const QString &ini, int trials)
{
    const QString output = dir.filePath("out.raw");
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", output.toLocal8Bit());
    const auto write = [&dir](const char *name, const QByteArray &bytes) {
        QFile file(dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return file.fileName();
    };
    std::vector<int64_t> callAt;
    TResult result;
    int32_t bytesPerSec = 0;
    {
        auto mixer = std::make_unique<TSoundMixer>(nullptr, std::make_unique<TSdlAudioBackend>(), ini);
        mixer->SetChannels(255);
        mixer->SetActivated(true);
        TMixSession *session = mixer->Session();
        bytesPerSec = session->BytesPerSec();
        result.BoundMs = 1000.0 * session->BlockCount * session->BlockLength / bytesPerSec;
        result.BufferMs = 1000.0 * TSdlAudioBackend::BufferFrames(int(session->Format.SamplesPerSec))
                          / session->Format.SamplesPerSec;
        TLoadedWave *background = mixer->LoadWave(write("bg.wav", Wav(QByteArray(11025, char(Background)))));
        TLoadedWave *cue = mixer->LoadWave(write("cue.wav", Wav(QByteArray(1103, char(Cue)))));
        mixer->Play(0, background, nullptr, 0, LoopForever);
        auto *device = dynamic_cast<TSdlAudioDevice *>(session->Device.get());
        std::mt19937 random(12345);
        Pump(800);
        for (int i = 0; i < trials; ++i) {
            Pump(std::uniform_int_distribution<int>(30, 120)(random));
            callAt.push_back(device->StreamBytes());
            mixer->PlayCue(1, cue);
            // Until this cue has been heard, so the next search cannot find it.
            Pump(int(result.BoundMs + result.BufferMs) + 150);
        }
        mixer->FlushAll(true);
        Pump(800);
    }
    QFile file(output);
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    double sum = 0;
    for (const int64_t at : callAt) {
        const qsizetype found = bytes.indexOf(char(Together), at);
        if (found < 0)
            continue;
        const double ms = 1000.0 * double(found - at) / bytesPerSec;
        result.WorstMs = std::max(result.WorstMs, ms);
        sum += ms;
        ++result.Trials;
    }
    result.MeanMs = result.Trials ? sum / result.Trials : 0;
    return result;
}

void Print(const char *name, const TResult &r)
{
    std::printf("%-16s worst %6.1f ms, mean %6.1f ms over %d cues (+%.1f ms audio layer buffer: "
                "worst %.1f ms); bound from blocks %.1f ms\n",
                name, r.WorstMs, r.MeanMs, r.Trials, r.BufferMs, r.WorstMs + r.BufferMs, r.BoundMs);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int trials = argc > 1 ? std::atoi(argv[1]) : 30;
    QTemporaryDir dir;
    QFile empty(dir.filePath("none.ini"));
    empty.open(QIODevice::WriteOnly);
    empty.close();
    const TResult defaults = Measure(dir, empty.fileName(), trials);
    const TResult shipped = Measure(dir, QStringLiteral(SNAPSTORM_SHIPPED_MIXER_INI), trials);
    Print("default tuning", defaults);
    Print("shipped tuning", shipped);
    std::printf("shipped / default worst latency: %.3f\n",
                (shipped.WorstMs + shipped.BufferMs) / (defaults.WorstMs + defaults.BufferMs));
    return 0;
}
