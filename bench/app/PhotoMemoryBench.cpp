// Memory of the game on its attract screen with a design of 100 photos of
// 800 x 600 pixels, as a ratio to the same program showing Default. Both
// run as fresh processes from a private copy of the runnable tree, one
// after the other, three times; the counters are the medians of the
// proportional set size (ratio_pss) and of its anonymous part (ratio_anon).
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kPhotos = 100;
constexpr int kRuns = 3;

// SNAPSTORM_BENCH_GAME names another build's program to measure, e.g. an
// older one for a before-and-after figure.
QString GameProgram()
{
    const QString other = qEnvironmentVariable("SNAPSTORM_BENCH_GAME");
    return other.isEmpty() ? QStringLiteral(SNAPSTORM_BIN_DIR "/snapstorm") : other;
}

// The program's folder with everything beside it, hard-linked where the file
// system allows it, so the settings and designs written here stay private.
bool CopyTree(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString relative = QDir(from).relativeFilePath(source);
        const bool otherDesign = relative.startsWith(QLatin1String("design/"))
                                 && !relative.startsWith(QLatin1String("design/Default/"));
        if (relative.endsWith(QLatin1String(".ini")) || otherDesign)
            continue;
        const QString target = to + QLatin1Char('/') + relative;
        QDir().mkpath(QFileInfo(target).path());
        if (::link(QFile::encodeName(source).constData(), QFile::encodeName(target).constData()) != 0
            && !QFile::copy(source, target))
            return false;
    }
    return true;
}

void MakePhotoDesign(const QString &dir)
{
    QDir().mkpath(dir);
    QImage photo(800, 600, QImage::Format_RGB32);
    for (int k = 1; k <= kPhotos; ++k) {
        for (int y = 0; y < photo.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(photo.scanLine(y));
            for (int x = 0; x < photo.width(); ++x)
                line[x] = qRgb((x + k) & 0xFF, (y * 3 + k) & 0xFF, (x ^ y) & 0xFF);
        }
        photo.save(dir + QStringLiteral("/Photo_%1.bmp").arg(k), "BMP");
    }
    QFile ini(dir + QStringLiteral("/!design.ini"));
    ini.open(QIODevice::WriteOnly);
    ini.write("Version=Banana\r\nPhotoCount=" + QByteArray::number(kPhotos) + "\r\n");
}

struct TMemory
{
    double PssKb = -1;
    double AnonKb = -1;
};

TMemory ReadMemory(pid_t pid)
{
    QFile file(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
    TMemory memory;
    if (!file.open(QIODevice::ReadOnly))
        return memory;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QList<QByteArray> parts = line.simplified().split(' ');
        if (parts.size() < 2)
            continue;
        if (parts[0] == "Pss:")
            memory.PssKb = parts[1].toDouble();
        else if (parts[0] == "Pss_Anon:")
            memory.AnonKb = parts[1].toDouble();
    }
    return memory;
}

// Starts the program with `design` chosen and reads its memory once it has
// stayed within 1 % for a second on the attract screen.
TMemory AttractMemory(const QString &program, const QString &design)
{
    QFile settings(QFileInfo(program).path() + QStringLiteral("/snapstorm.ini"));
    settings.open(QIODevice::WriteOnly | QIODevice::Truncate);
    settings.write("Language=english.lng\nDesign=" + design.toUtf8() + "\n");
    settings.close();
    const QByteArray path = QFile::encodeName(program);
    char *argv[] = {const_cast<char *>(path.constData()), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, path.constData(), nullptr, nullptr, argv, environ) != 0)
        return {};
    TMemory last;
    int steady = 0;
    for (int sample = 0; sample < 60 && steady < 5; ++sample) {
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        const TMemory now = ReadMemory(pid);
        const bool same = last.PssKb > 0 && std::abs(now.PssKb - last.PssKb) <= last.PssKb / 100;
        steady = same && sample >= 8 ? steady + 1 : 0;
        last = now;
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return steady >= 5 ? last : TMemory{};
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void BM_AttractMemoryWithPhotos(benchmark::State &state)
{
    // Beside the build, so the program can be hard-linked rather than copied.
    QTemporaryDir temp(QStringLiteral(SNAPSTORM_BIN_DIR "/../bench/photo-memory-XXXXXX"));
    const QString game = GameProgram();
    const QString bin = temp.path() + QStringLiteral("/bin");
    if (!CopyTree(QFileInfo(game).path(), bin)) {
        state.SkipWithError("the runnable tree cannot be copied");
        return;
    }
    MakePhotoDesign(bin + QStringLiteral("/design/Photos"));
    const QString program = bin + QLatin1Char('/') + QFileInfo(game).fileName();
    // It draws off screen (set by the bench's main) and plays into nothing.
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    std::vector<double> pss, anon, photosMb, defaultMb;
    for (auto _ : state) {
        for (int run = 0; run < kRuns; ++run) {
            const TMemory plain = AttractMemory(program, QStringLiteral("Default"));
            const TMemory photos = AttractMemory(program, QStringLiteral("Photos"));
            if (plain.PssKb <= 0 || photos.PssKb <= 0) {
                state.SkipWithError("the program's memory never settled");
                return;
            }
            pss.push_back(photos.PssKb / plain.PssKb);
            anon.push_back(photos.AnonKb / plain.AnonKb);
            photosMb.push_back(photos.PssKb / 1024);
            defaultMb.push_back(plain.PssKb / 1024);
        }
    }
    state.counters["photos_pss_mb"] = Median(photosMb);
    state.counters["default_pss_mb"] = Median(defaultMb);
    state.counters["ratio_pss"] = Median(pss);
    state.counters["ratio_anon"] = Median(anon);
}
BENCHMARK(BM_AttractMemoryWithPhotos)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
