// How long loading a design takes compared with decoding the same files
// with the image libraries alone. Printed as the counter ratio_to_libraries.
#include "design/GamePar.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <chrono>
#include <cstdlib>

namespace {

using TClock = std::chrono::steady_clock;

QString ShippedRoot() { return QStringLiteral(SNAPSTORM_BIN_DIR "/design/"); }

// The baseline: every file decoded once by giflib or Qt, nothing more.
void DecodeWithLibraries(const QStringList &files)
{
    for (const QString &file : files) {
        if (file.endsWith(QLatin1String(".gif"), Qt::CaseInsensitive)) {
            int error = 0;
            GifFileType *gif = DGifOpenFileName(file.toLocal8Bit().constData(), &error);
            if (gif) {
                DGifSlurp(gif);
                benchmark::DoNotOptimize(gif->ImageCount);
                DGifCloseFile(gif, &error);
            }
        } else {
            QImage image(file);
            benchmark::DoNotOptimize(image.constBits());
        }
    }
}

QStringList PictureFiles(const TGamePar &par)
{
    QStringList files;
    for (int i = 0; i < TGamePar::ImageCount; ++i)
        files << par.ImageFile(i);
    return files;
}

// Times `work` and, outside the measured time, the library baseline.
template <class Work>
void RunAgainstBaseline(benchmark::State &state, const QStringList &files, Work &&work)
{
    double ours = 0, baseline = 0;
    for (auto _ : state) {
        const auto t0 = TClock::now();
        work();
        const auto t1 = TClock::now();
        state.PauseTiming();
        const auto b0 = TClock::now();
        DecodeWithLibraries(files);
        baseline += std::chrono::duration<double>(TClock::now() - b0).count();
        state.ResumeTiming();
        ours += std::chrono::duration<double>(t1 - t0).count();
    }
    state.counters["ratio_to_libraries"] = baseline > 0 ? ours / baseline : 0;
}

void BM_LoadDefault(benchmark::State &state)
{
    TGamePar par(ShippedRoot());
    par.Load(QString());
    RunAgainstBaseline(state, PictureFiles(par), [&] { par.Load(QString()); });
}
BENCHMARK(BM_LoadDefault)->Unit(benchmark::kMillisecond);

// A design with 20 photos: loading it and giving a formation of 15 ships
// their photos, as applying a design does.
void BM_LoadDesignWithTwentyPhotos(benchmark::State &state)
{
    QTemporaryDir temp;
    const QString root = temp.path() + QStringLiteral("/design/");
    const QString defaultDir = root + QStringLiteral("Default/");
    const QString photoDir = root + QStringLiteral("Photos/");
    QDir().mkpath(defaultDir);
    QDir().mkpath(photoDir);
    for (const QString &name : QDir(ShippedRoot() + QStringLiteral("Default")).entryList(QDir::Files))
        QFile::copy(ShippedRoot() + QStringLiteral("Default/") + name, defaultDir + name);
    QStringList photos;
    for (int k = 1; k <= 20; ++k) {
        QImage photo(100, 80, QImage::Format_RGB32);
        photo.fill(qRgb(10 * k, 255 - 10 * k, 128));
        photos << photoDir + QStringLiteral("Photo_%1.bmp").arg(k);
        photo.save(photos.last(), "BMP");
    }
    QFile ini(photoDir + QStringLiteral("!design.ini"));
    ini.open(QIODevice::WriteOnly);
    ini.write("PhotoCount=20\r\nBigShipWidth=100\r\nBigShipHeight=80\r\n");
    ini.close();

    TGamePar par(root);
    par.Load(QStringLiteral("Photos"));
    // The baseline decodes the pictures and 15 photos, as many as are drawn.
    QStringList files = PictureFiles(par) + photos.mid(0, 15);
    std::vector<std::unique_ptr<TSprite>> ships(15);
    for (auto &ship : ships)
        ship = std::make_unique<TSprite>();
    RunAgainstBaseline(state, files, [&] {
        par.Load(QStringLiteral("Photos"));
        par.ComputeLayout();
        for (auto &ship : ships)
            par.AssignImage(*ship, -1);
    });
}
BENCHMARK(BM_LoadDesignWithTwentyPhotos)->Unit(benchmark::kMillisecond);

} // namespace
