// Exporting and importing a design with 50 photos, as ratios to the
// zip -9 -j and unzip programs doing the same in the same run. Printed as
// the counter ratio_to_tools.
#include "design/PrepareDesignFolder.h"
#include "exchange/DesignArchive.h"
#include "lang/Language.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>

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

void BM_ImportDesign(benchmark::State &state)
{
    QTemporaryDir temp;
    MakeDesign(temp.filePath(QStringLiteral("src")));
    const QString archive = temp.filePath(QStringLiteral("Sea.zip"));
    PackDesignFolder(temp.filePath(QStringLiteral("src")), archive);
    const QString root = temp.filePath(QStringLiteral("design/"));
    QDir().mkpath(root + QStringLiteral("Default"));
    TLanguage language;
    TNoPrompts prompts;
    double ours = 0, tool = 0;
    for (auto _ : state) {
        QDir(root + QStringLiteral("Sea")).removeRecursively();
        auto t0 = TClock::now();
        ImportDesignZip(archive, language, prompts, root);
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
