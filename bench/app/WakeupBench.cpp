// What the running game costs a laptop: wakeups a second (voluntary
// context switches of all its threads) and processor time, on a private X
// server, against two Qt windows built here as baselines: one idle, one
// repainting at 60 Hz. Situations: a paused game, the attract screen, a
// running game, and the demo in the 1x window and fullscreen on a
// 3840x2160 screen, enlarged by whole factors and filling the screen.
// Needs Xvfb and xdotool.
//
//   wakeup_bench [--runs N] [--seconds S] [--threads]
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using namespace std::chrono_literals;

// ---- the baselines, run as this program with an option ----------------------

class TRepaintingField : public QWidget
{
public:
    TRepaintingField()
    {
        auto *timer = new QTimer(this);
        timer->setTimerType(Qt::PreciseTimer);
        connect(timer, &QTimer::timeout, this, qOverload<>(&QWidget::update));
        timer->start(16);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), (++mFrame & 1) ? Qt::black : Qt::darkBlue);
    }

private:
    int mFrame = 0;
};

int RunBaseline(int argc, char **argv, bool repaint)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Baseline"));
    QMenu *menu = window.menuBar()->addMenu(QStringLiteral("&Game"));
    menu->addAction(QStringLiteral("&New"));
    if (repaint)
        window.setCentralWidget(new TRepaintingField);
    else
        window.setCentralWidget(new QWidget);
    window.resize(750, 461);
    window.show();
    return QApplication::exec();
}

// ---- processes ------------------------------------------------------------------

std::string ReadAll(const std::string &path)
{
    std::string text;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return text;
    char buffer[4096];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;)
        text.append(buffer, size_t(n));
    close(fd);
    return text;
}

pid_t Spawn(const std::vector<std::string> &args, const std::vector<std::string> &extraEnv,
            bool quiet = true)
{
    std::vector<char *> argv;
    for (const std::string &a : args)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<std::string> env = extraEnv;
    for (char **e = environ; *e; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('='));
        bool overridden = false;
        for (const std::string &x : extraEnv)
            overridden |= x.compare(0, name.size() + 1, name + "=") == 0;
        if (!overridden)
            env.push_back(entry);
    }
    std::vector<char *> envp;
    for (const std::string &e : env)
        envp.push_back(const_cast<char *>(e.c_str()));
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (quiet) {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    }
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

int RunToEnd(const std::vector<std::string> &args, const std::vector<std::string> &env)
{
    const pid_t pid = Spawn(args, env);
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) < 0)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void Stop(pid_t pid)
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    for (int i = 0; i < 50; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        std::this_thread::sleep_for(20ms);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

// Wakeups and processor time of one process, all its threads.
struct TSample
{
    long long Wakeups = 0;
    long long CpuTicks = 0;
    std::map<std::string, long long> ByThread; // thread name: wakeups
};

long long Field(const std::string &status, const char *key)
{
    const size_t at = status.find(key);
    return at == std::string::npos ? 0 : std::atoll(status.c_str() + at + std::strlen(key));
}

TSample Sample(pid_t pid)
{
    TSample sample;
    const std::string base = "/proc/" + std::to_string(pid);
    const std::string stat = ReadAll(base + "/stat");
    const size_t close = stat.rfind(')');
    if (close != std::string::npos) {
        // Fields after the name: state is the 3rd; utime and stime the 14th and 15th.
        unsigned long long utime = 0, stime = 0;
        std::sscanf(stat.c_str() + close + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu",
                    &utime, &stime);
        sample.CpuTicks = (long long)(utime + stime);
    }
    if (DIR *tasks = opendir((base + "/task").c_str())) {
        while (dirent *entry = readdir(tasks)) {
            if (entry->d_name[0] == '.')
                continue;
            const std::string task = base + "/task/" + entry->d_name;
            const long long n = Field(ReadAll(task + "/status"), "voluntary_ctxt_switches:");
            std::string name = ReadAll(task + "/comm");
            while (!name.empty() && name.back() == '\n')
                name.pop_back();
            sample.Wakeups += n;
            sample.ByThread[name] += n;
        }
        closedir(tasks);
    }
    return sample;
}

// ---- the private X server ---------------------------------------------------------

class TXServer
{
public:
    TXServer(int width, int height)
    {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
        const std::string displayFd = std::to_string(fds[1]);
        mPid = Spawn({"Xvfb", "-displayfd", displayFd, "-screen", "0", screen, "-nolisten", "tcp"}, {});
        ::close(fds[1]);
        char buffer[32] = {};
        const ssize_t n = read(fds[0], buffer, sizeof buffer - 1);
        ::close(fds[0]);
        if (n > 0)
            mDisplay = ":" + std::to_string(std::atoi(buffer));
    }
    ~TXServer() { Stop(mPid); }
    const std::string &Display() const { return mDisplay; }
    pid_t Pid() const { return mPid; }

private:
    pid_t mPid = -1;
    std::string mDisplay;
};

// ---- situations ---------------------------------------------------------------------

struct TSituation
{
    const char *Name;
    bool Game;                      // the game, or a baseline
    std::vector<const char *> Keys; // sent one by one after the window shows
    const char *Settings = "";      // more lines for the settings file
};

struct TFigures
{
    double WakeupsPerSec = 0;
    double CpuPercent = 0;
    double ServerCpuPercent = 0; // the X server's, drawing what the window sends
    std::map<std::string, long long> ByThread;
};

class TBench
{
public:
    // The game runs from a copy of its folder, whose settings file names
    // a language (so no question comes first) and is not the build's own.
    TBench(std::string self, const std::string &gameDir, int seconds)
        : mSelf(std::move(self)), mSeconds(seconds)
    {
        char folder[] = "/tmp/snapstorm-wakeups-XXXXXX";
        mHome = mkdtemp(folder) ? folder : "/tmp";
        RunToEnd({"cp", "-a", gameDir, mHome + "/game"}, {});
        RunToEnd({"mkdir", "-p", mHome + "/config", mHome + "/data"}, {});
        mGame = mHome + "/game/snapstorm";
    }
    ~TBench() { RunToEnd({"rm", "-rf", mHome}, {}); }

    TFigures Measure(const TXServer &x, const TSituation &situation)
    {
        const std::vector<std::string> env = {
            "DISPLAY=" + x.Display(), "XDG_CONFIG_HOME=" + mHome + "/config",
            "XDG_DATA_HOME=" + mHome + "/data", "SDL_AUDIODRIVER=dummy", "QT_QPA_PLATFORM=xcb"};
        if (FILE *file = std::fopen((mHome + "/game/snapstorm.ini").c_str(), "w")) {
            std::fputs("Language=english.lng\nDesign=Default\n", file);
            std::fputs(situation.Settings, file);
            std::fclose(file);
        }
        const pid_t pid = situation.Game ? Spawn({mGame}, env)
                                         : Spawn({mSelf, situation.Name}, env);
        const std::string title = situation.Game ? "^Snapstorm" : "^Baseline";
        // Waits for the window, then gives it the keyboard.
        RunToEnd({"xdotool", "search", "--sync", "--onlyvisible", "--name", title, "windowfocus",
                  "--sync"},
                 env);
        std::this_thread::sleep_for(1500ms); // sound opens a moment after the window
        for (const char *key : situation.Keys) {
            RunToEnd({"xdotool", "key", key}, env);
            std::this_thread::sleep_for(700ms);
        }
        std::this_thread::sleep_for(1500ms);
        const TSample before = Sample(pid);
        const TSample serverBefore = Sample(x.Pid());
        const auto start = std::chrono::steady_clock::now();
        std::this_thread::sleep_for(std::chrono::seconds(mSeconds));
        const TSample after = Sample(pid);
        const TSample serverAfter = Sample(x.Pid());
        const double elapsed =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        Stop(pid);
        TFigures figures;
        figures.WakeupsPerSec = double(after.Wakeups - before.Wakeups) / elapsed;
        figures.CpuPercent =
            100.0 * double(after.CpuTicks - before.CpuTicks) / double(sysconf(_SC_CLK_TCK)) / elapsed;
        figures.ServerCpuPercent = 100.0 * double(serverAfter.CpuTicks - serverBefore.CpuTicks)
                                   / double(sysconf(_SC_CLK_TCK)) / elapsed;
        for (const auto &[name, n] : after.ByThread) {
            const auto was = before.ByThread.find(name);
            figures.ByThread[name] = n - (was == before.ByThread.end() ? 0 : was->second);
        }
        return figures;
    }

private:
    std::string mSelf;
    std::string mGame;
    int mSeconds;
    std::string mHome;
};

int RunBench(const std::string &self, int runs, int seconds, bool threads)
{
    // SNAPSTORM_BENCH_GAME names another build's program folder, e.g. an
    // older one for a before-and-after figure.
    const std::string game = std::getenv("SNAPSTORM_BENCH_GAME") ? std::getenv("SNAPSTORM_BENCH_GAME")
                                                                  : SNAPSTORM_BIN_DIR;
    const std::vector<TSituation> situations = {
        {"--idle-window", false, {}},
        {"--repainting-window", false, {}},
        {"paused", true, {"F2", "p"}},
        {"attract", true, {}},
        {"game", true, {"F2"}},
        {"demo-1x", true, {"d"}},
        {"demo-full-whole", true, {"d", "F11"}, "WholeScaling=1\n"},
        {"demo-full-fill", true, {"d", "F11"}},
    };
    TXServer x(3840, 2160);
    if (x.Display().empty()) {
        std::fprintf(stderr, "wakeup_bench: Xvfb did not start\n");
        return 1;
    }
    TBench bench(self, game, seconds);
    std::printf("%-20s %12s %8s %10s   (%d s each, screen 3840x2160, %s)\n", "situation",
                "wakeups/s", "CPU %", "X CPU %", seconds, game.c_str());
    for (int run = 1; run <= runs; ++run) {
        std::map<std::string, TFigures> got;
        for (const TSituation &s : situations) {
            const TFigures f = bench.Measure(x, s);
            got[s.Name] = f;
            std::printf("%-20s %12.1f %8.2f %10.2f\n", s.Name, f.WakeupsPerSec, f.CpuPercent,
                        f.ServerCpuPercent);
            if (threads) {
                for (const auto &[name, n] : f.ByThread)
                    std::printf("    %-16s %10.1f/s\n", name.c_str(), double(n) / seconds);
            }
            std::fflush(stdout);
        }
        const double frame = got["--repainting-window"].WakeupsPerSec;
        const double oneX = std::max(0.01, got["demo-1x"].CpuPercent);
        std::printf("run %d: paused %.1f wakeups/s (goal <= 5); attract %.2fx and game %.2fx the "
                    "60 Hz window's wakeups (goal <= 1.2); demo fullscreen %.2fx (whole factors, "
                    "goal <= 1.5) and %.2fx (filling, goal <= 2) the CPU of the 1x window\n\n",
                    run, got["paused"].WakeupsPerSec, got["attract"].WakeupsPerSec / frame,
                    got["game"].WakeupsPerSec / frame, got["demo-full-whole"].CpuPercent / oneX,
                    got["demo-full-fill"].CpuPercent / oneX);
        std::fflush(stdout);
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--idle-window") == 0)
        return RunBaseline(argc, argv, false);
    if (argc > 1 && std::strcmp(argv[1], "--repainting-window") == 0)
        return RunBaseline(argc, argv, true);
    int runs = 3;
    int seconds = 10;
    bool threads = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
            runs = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc)
            seconds = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--threads") == 0)
            threads = true;
    }
    char self[4096] = {};
    if (readlink("/proc/self/exe", self, sizeof self - 1) <= 0)
        return 1;
    return RunBench(self, std::max(1, runs), std::max(1, seconds), threads);
}
