// Start to first frame of the game (attract screen, no first-start
// question) as a ratio to a minimal Qt window with a menu bar, both started
// as fresh processes in the same run; medians of several starts.
#include "app/FirstFrameProbe.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QProcess>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

namespace {

constexpr int kStarts = 9;

long long MonotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (long long)now.tv_sec * 1000000000LL + now.tv_nsec;
}

// The baseline: what any Qt program with a window and a menu bar costs.
int RunMinimalWindow(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    QMenu *menu = window.menuBar()->addMenu(QStringLiteral("&Game"));
    menu->addAction(QStringLiteral("&New"));
    menu->addAction(QStringLiteral("E&xit"));
    auto *field = new QLabel(QStringLiteral("Snapstorm"), &window);
    window.setCentralWidget(field);
    window.resize(640, 480);
    TFirstFrameProbe::WatchIfAsked(field);
    window.show();
    return QApplication::exec();
}

// Milliseconds from starting `program` to its first painted frame; -1 when
// it ends without reporting one.
double StartToFirstFrameMs(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    const long long start = MonotonicNs();
    process.start(program, arguments);
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    const QByteArray out = process.readAllStandardOutput();
    const qsizetype at = out.indexOf("first-frame ");
    if (at < 0)
        return -1;
    const long long frame = out.mid(at + 12).trimmed().toLongLong();
    return double(frame - start) / 1e6;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A settings file with a language chosen, so no question comes first; the
// user's own file in the build tree is put back afterwards.
class TSettingsForBench
{
public:
    explicit TSettingsForBench(const QString &path) : mFile(path)
    {
        if (mFile.open(QIODevice::ReadOnly)) {
            mOld = mFile.readAll();
            mHadFile = true;
            mFile.close();
        }
        mFile.open(QIODevice::WriteOnly | QIODevice::Truncate);
        mFile.write("Language=english.lng\nDesign=Default\n");
        mFile.close();
    }
    ~TSettingsForBench()
    {
        if (!mHadFile) {
            mFile.remove();
            return;
        }
        mFile.open(QIODevice::WriteOnly | QIODevice::Truncate);
        mFile.write(mOld);
    }

private:
    QFile mFile;
    QByteArray mOld;
    bool mHadFile = false;
};

QString gSelf;

void BM_StartToFirstFrame(benchmark::State &state)
{
    const QString game = QStringLiteral(SNAPSTORM_BIN_DIR "/snapstorm");
    TSettingsForBench settings(QStringLiteral(SNAPSTORM_BIN_DIR "/snapstorm.ini"));
    std::vector<double> gameMs;
    std::vector<double> minimalMs;
    for (auto _ : state) {
        // One start of each first, so both find their files in the cache.
        StartToFirstFrameMs(game, {});
        StartToFirstFrameMs(gSelf, {QStringLiteral("--minimal-window")});
        for (int i = 0; i < kStarts; ++i) {
            gameMs.push_back(StartToFirstFrameMs(game, {}));
            minimalMs.push_back(StartToFirstFrameMs(gSelf, {QStringLiteral("--minimal-window")}));
            if (gameMs.back() < 0 || minimalMs.back() < 0)
                break;
        }
    }
    if (gameMs.back() < 0 || minimalMs.back() < 0) {
        state.SkipWithError("a start reported no first frame");
        return;
    }
    const double game50 = Median(gameMs);
    const double minimal50 = Median(minimalMs);
    state.counters["game_ms"] = game50;
    state.counters["minimal_window_ms"] = minimal50;
    state.counters["ratio_to_minimal_window"] = game50 / minimal50;
}
BENCHMARK(BM_StartToFirstFrame)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    // Both programs draw off screen and play into nothing unless told otherwise.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv(TFirstFrameProbe::Variable, "1", 1);
    if (argc > 1 && std::strcmp(argv[1], "--minimal-window") == 0)
        return RunMinimalWindow(argc, argv);
    gSelf = QString::fromLocal8Bit(argv[0]);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
