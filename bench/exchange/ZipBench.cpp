// Exporting and importing a design with 50 photos, as ratios to the
// zip -9 -j and unzip programs doing the same in the same run. Printed as
// the counter ratio_to_tools. BM_ExportPhotoDesign packs Default's files
// and 100 photos and prints the processor time (cpu_ratio_to_zip) and the
// archive's size (size_ratio_to_zip) against zip -9 -j on the same files.
#include "design/PrepareDesignFolder.h"
#include "exchange/DesignArchive.h"
#include "lang/MessageLookup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <sys/resource.h>

namespace {

using TClock = std::chrono::steady_clock;

class TNoPrompts : public TDesignPrompts
{
public:
    void Message(const QString &) override {}
    TAnswer Question(const QString &) override { return TAnswer::Yes; }
};

// 50 photo-like (incompressible) files of 60 KB and a settings file.
QStringList MakeDesign(const QString &dir)
{
    QDir().mkpath(dir);
    QStringList files;
    for (int i = 1; i <= 50; ++i) {
        QByteArray bytes(60000, '\0');
        for (char &c : bytes)
            c = char(QRandomGenerator::global()->bounded(256));
        const QString path = dir + QStringLiteral("/Photo_%1.jpg").arg(i);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        files << path;
    }
    QFile ini(dir + QStringLiteral("/!design.ini"));
    ini.open(QIODevice::WriteOnly);
    ini.write("Author=bench\r\n");
    files << ini.fileName();
    return files;
}

double Seconds(TClock::time_point from) { return std::chrono::duration<double>(TClock::now() - from).count(); }

void RunTool(const QString &program, const QStringList &args)
{
    QProcess::execute(program, args);
}

void BM_ExportDesign(benchmark::State &state)
{
    QTemporaryDir temp;
    const QStringList files = MakeDesign(temp.filePath(QStringLiteral("Sea")));
    double ours = 0, tool = 0;
    for (auto _ : state) {
        auto t0 = TClock::now();
        PackDesignFolder(temp.filePath(QStringLiteral("Sea")), temp.filePath(QStringLiteral("ours.zip")));
        ours += Seconds(t0);
        state.PauseTiming();
        QFile::remove(temp.filePath(QStringLiteral("tool.zip")));
        t0 = TClock::now();
        RunTool(QStringLiteral("zip"), QStringList{QStringLiteral("-9"), QStringLiteral("-j"), QStringLiteral("-q"),
                                                   temp.filePath(QStringLiteral("tool.zip"))} + files);
        tool += Seconds(t0);
        state.ResumeTiming();
    }
    state.counters["ratio_to_tools"] = tool > 0 ? ours / tool : 0;
}
BENCHMARK(BM_ExportDesign)->Unit(benchmark::kMillisecond);

// 100 photos of 200 x 150 pixels as the editor writes them (24-bit BMPs):
// smooth colours with a camera's grain, beside Default's pictures and sounds.
QStringList MakePhotoDesign(const QString &dir)
{
    QDir().mkpath(dir);
    const QString shipped = QStringLiteral(SNAPSTORM_BIN_DIR "/design/Default/");
    for (const QString &name : QDir(shipped).entryList(QDir::Files))
        QFile::copy(shipped + name, dir + QLatin1Char('/') + name);
    quint32 grain = 12345;
    QImage photo(200, 150, QImage::Format_RGB32);
    for (int k = 1; k <= 100; ++k) {
        for (int y = 0; y < photo.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(photo.scanLine(y));
            for (int x = 0; x < photo.width(); ++x) {
                grain = grain * 1664525u + 1013904223u;
                const int noise = int(grain >> 28) - 8;
                const auto channel = [&](int base) { return std::clamp(base + noise, 0, 255); };
                line[x] = qRgb(channel((x + 3 * k) % 200), channel((y * 2 + k) % 256), channel(128 + (x - y) / 4));
            }
        }
        photo.save(dir + QStringLiteral("/Photo_%1.bmp").arg(k), "BMP");
    }
    QStringList files;
    for (const QString &name : QDir(dir).entryList(QDir::Files))
        files << dir + QLatin1Char('/') + name;
    return files;
}

double ProcessCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

double ChildrenCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
           + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void BM_ExportPhotoDesign(benchmark::State &state)
{
    QTemporaryDir temp;
    const QString dir = temp.filePath(QStringLiteral("Photos"));
    const QStringList files = MakePhotoDesign(dir);
    const QString ours = temp.filePath(QStringLiteral("ours.zip"));
    const QString tool = temp.filePath(QStringLiteral("tool.zip"));
    double oursCpu = 0, toolCpu = 0;
    for (auto _ : state) {
        double t0 = ProcessCpuSeconds();
        PackDesignFolder(dir, ours);
        oursCpu += ProcessCpuSeconds() - t0;
        state.PauseTiming();
        QFile::remove(tool);
        t0 = ChildrenCpuSeconds();
        RunTool(QStringLiteral("zip"), QStringList{QStringLiteral("-9"), QStringLiteral("-j"), QStringLiteral("-q"), tool} + files);
        toolCpu += ChildrenCpuSeconds() - t0;
        state.ResumeTiming();
    }
    const double toolSize = double(QFileInfo(tool).size());
    state.counters["cpu_ratio_to_zip"] = toolCpu > 0 ? oursCpu / toolCpu : 0;
    state.counters["size_ratio_to_zip"] = toolSize > 0 ? double(QFileInfo(ours).size()) / toolSize : 0;
    state.counters["zip_archive_mb"] = toolSize / (1024 * 1024);
}
BENCHMARK(BM_ExportPhotoDesign)->Unit(benchmark::kMillisecond);

void BM_ImportDesign(benchmark::State &state)
{
    QTemporaryDir temp;
    MakeDesign(temp.filePath(QStringLiteral("src")));
    const QString archive = temp.filePath(QStringLiteral("Sea.zip"));
    PackDesignFolder(temp.filePath(QStringLiteral("src")), archive);
    const QString root = temp.filePath(QStringLiteral("design/"));
    QDir().mkpath(root + QStringLiteral("Default"));
    const TMessageLookup messages = LanguageFileMessages(QString());
    TNoPrompts prompts;
    double ours = 0, tool = 0;
    for (auto _ : state) {
        QDir(root + QStringLiteral("Sea")).removeRecursively();
        auto t0 = TClock::now();
        ImportDesignZip(archive, messages, prompts, root);
        ours += Seconds(t0);
        state.PauseTiming();
        QDir(temp.filePath(QStringLiteral("out"))).removeRecursively();
        t0 = TClock::now();
        RunTool(QStringLiteral("unzip"), {QStringLiteral("-q"), archive, QStringLiteral("-d"), temp.filePath(QStringLiteral("out"))});
        tool += Seconds(t0);
        state.ResumeTiming();
    }
    state.counters["ratio_to_tools"] = tool > 0 ? ours / tool : 0;
}
BENCHMARK(BM_ImportDesign)->Unit(benchmark::kMillisecond);

} // namespace
