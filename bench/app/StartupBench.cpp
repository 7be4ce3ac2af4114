// Start to first frame of the game (attract screen, no first-start
// question) as a ratio to a minimal Qt window with a menu bar, both started
// as fresh processes in the same run; medians of several starts.
#include "app/FirstFrameProbe.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kStarts = 31;

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

struct TStart
{
    double WallMs = -1;   // from starting the program to its first painted frame
    double CpuMs = -1;    // processor time the program used for it, all threads
};

// Starts `program` and waits for it to report its first frame and end; a
// wall time of -1 when it reports none.
TStart StartToFirstFrame(const QString &program, const char *argument)
{
    int out[2];
    if (pipe(out) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const QByteArray path = program.toLocal8Bit();
    char *argv[] = {const_cast<char *>(path.constData()), const_cast<char *>(argument), nullptr};
    pid_t pid = 0;
    const long long start = MonotonicNs();
    const int spawned = posix_spawn(&pid, path.constData(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    QByteArray text;
    char buffer[256];
    for (ssize_t n; spawned == 0 && (n = read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, n);
    close(out[0]);
    if (spawned != 0)
        return {};
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const qsizetype at = text.indexOf("first-frame ");
    if (at < 0)
        return {};
    TStart result;
    result.WallMs = double(text.mid(at + 12).trimmed().toLongLong() - start) / 1e6;
    result.CpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
                   + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    return result;
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

// SNAPSTORM_BENCH_GAME names another build's program to measure, e.g. an
// older one for a before-and-after figure.
QString GameProgram()
{
    const QString other = qEnvironmentVariable("SNAPSTORM_BENCH_GAME");
    return other.isEmpty() ? QStringLiteral(SNAPSTORM_BIN_DIR "/snapstorm") : other;
}

void BM_StartToFirstFrame(benchmark::State &state)
{
    const QString game = GameProgram();
    TSettingsForBench settings(QFileInfo(game).absolutePath() + QStringLiteral("/snapstorm.ini"));
    const QString self = gSelf;
    std::vector<TStart> games;
    std::vector<TStart> windows;
    for (auto _ : state) {
        // One start of each first, so both find their files in the cache.
        StartToFirstFrame(game, nullptr);
        StartToFirstFrame(self, "--minimal-window");
        for (int i = 0; i < kStarts; ++i) {
            games.push_back(StartToFirstFrame(game, nullptr));
            windows.push_back(StartToFirstFrame(self, "--minimal-window"));
            if (games.back().WallMs < 0 || windows.back().WallMs < 0) {
                state.SkipWithError("a start reported no first frame");
                return;
            }
        }
    }
    const auto median = [](const std::vector<TStart> &starts, double TStart::*field) {
        std::vector<double> values;
        for (const TStart &start : starts)
            values.push_back(start.*field);
        return Median(values);
    };
    const double gameWall = median(games, &TStart::WallMs);
    const double windowWall = median(windows, &TStart::WallMs);
    const double gameCpu = median(games, &TStart::CpuMs);
    const double windowCpu = median(windows, &TStart::CpuMs);
    // Each start of the game is paired with the window's start that
    // follows it, so a slow spell of the machine slows both of a pair.
    std::vector<double> pairRatios;
    for (std::size_t i = 0; i < games.size(); ++i)
        pairRatios.push_back(games[i].WallMs / windows[i].WallMs);
    state.counters["game_ms"] = gameWall;
    state.counters["minimal_window_ms"] = windowWall;
    state.counters["ratio_to_minimal_window"] = gameWall / windowWall;
    state.counters["median_pair_ratio"] = Median(pairRatios);
    // Less disturbed by other load on the machine than the wall times.
    state.counters["game_cpu_ms"] = gameCpu;
    state.counters["minimal_window_cpu_ms"] = windowCpu;
    state.counters["cpu_ratio"] = gameCpu / windowCpu;
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
