// How long loading a design takes compared with decoding the same files
// with the image libraries alone (counter ratio_to_libraries), and how much
// heap a loaded Default design holds compared with the pixels it draws
// (counter ratio_to_drawn_pixels).
#include "design/GamePar.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <gif_lib.h>
#include <malloc.h>

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

// A scratch root with a copy of the shipped Default and a design "Photos"
// that carries only its photos, so every picture is looked up in vain in
// the photo folder first.
class TPhotoDesign
{
public:
    explicit TPhotoDesign(int count)
    {
        const QString defaultDir = Root() + QStringLiteral("Default/");
        const QString photoDir = Root() + QStringLiteral("Photos/");
        QDir().mkpath(defaultDir);
        QDir().mkpath(photoDir);
        for (const QString &name : QDir(ShippedRoot() + QStringLiteral("Default")).entryList(QDir::Files))
            QFile::copy(ShippedRoot() + QStringLiteral("Default/") + name, defaultDir + name);
        for (int k = 1; k <= count; ++k) {
            QImage photo(100, 80, QImage::Format_RGB32);
            photo.fill(qRgb(k % 256, 255 - k % 256, 128));
            photo.setPixel(0, 79, qRgb(255, 255, 255));
            mPhotos << photoDir + QStringLiteral("Photo_%1.bmp").arg(k);
            photo.save(mPhotos.last(), "BMP");
        }
        QFile ini(photoDir + QStringLiteral("!design.ini"));
        ini.open(QIODevice::WriteOnly);
        ini.write(QStringLiteral("PhotoCount=%1\r\nBigShipWidth=100\r\nBigShipHeight=80\r\n")
                      .arg(count)
                      .toLatin1());
    }

    QString Root() const { return mTemp.path() + QStringLiteral("/design/"); }
    const QStringList &Photos() const { return mPhotos; }

private:
    QTemporaryDir mTemp;
    QStringList mPhotos;
};

// Loading a design with photos, giving a formation of 15 ships their
// photos, as applying a design does, and drawing them once, as the first
// frame of a game does. The baseline decodes the pictures and every photo
// once.
void BM_LoadDesignWithPhotos(benchmark::State &state)
{
    const TPhotoDesign design(int(state.range(0)));
    TGamePar par(design.Root());
    par.Load(QStringLiteral("Photos"));
    const QStringList files = PictureFiles(par) + design.Photos();
    std::vector<std::unique_ptr<TSprite>> ships(15);
    for (auto &ship : ships)
        ship = std::make_unique<TSprite>();
    RunAgainstBaseline(state, files, [&] {
        par.Load(QStringLiteral("Photos"));
        par.ComputeLayout();
        QImage frame(par.ClientWidth(), par.ClientHeight(), QImage::Format_RGB32);
        QPainter painter(&frame);
        for (auto &ship : ships) {
            par.AssignImage(*ship, -1);
            ship->DrawOn(painter);
        }
    });
}
BENCHMARK(BM_LoadDesignWithPhotos)->Arg(20)->Arg(1000)->Unit(benchmark::kMillisecond);

std::size_t HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// The palette indices the GIF frames keep beside their drawn pixels.
qint64 GifIndexBytes(const TGamePar &par)
{
    qint64 bytes = 0;
    for (int i = 0; i < TGamePar::ImageCount; ++i) {
        if (const TGifImage *gif = par.Image(i).Picture().Gif())
            for (int f = 0; f < gif->FrameCount(); ++f)
                bytes += gif->Frame(f).Indices.size();
    }
    return bytes;
}

// Four bytes for every pixel a picture can show: each bitmap once, each
// GIF frame once.
qint64 DrawnPixelBytes(const TGamePar &par)
{
    qint64 pixels = 0;
    for (int i = 0; i < TGamePar::ImageCount; ++i) {
        const TPicture &picture = par.Image(i).Picture();
        if (const TGifImage *gif = picture.Gif()) {
            for (int f = 0; f < gif->FrameCount(); ++f)
                pixels += qint64(gif->Frame(f).Size.width()) * gif->Frame(f).Size.height();
        } else {
            pixels += qint64(picture.Width()) * picture.Height();
        }
    }
    return 4 * pixels;
}

// The heap a loaded Default design holds, measured from before the
// design object exists to after its load, so whatever the load freed
// again does not count.
void BM_HeapHeldByDefault(benchmark::State &state)
{
    double held = 0, drawn = 0, indices = 0;
    for (auto _ : state) {
        const std::size_t before = HeapInUse();
        auto par = std::make_unique<TGamePar>(ShippedRoot());
        par->Load(QString());
        held = double(HeapInUse() - before);
        drawn = double(DrawnPixelBytes(*par));
        indices = double(GifIndexBytes(*par));
        benchmark::DoNotOptimize(par.get());
    }
    state.counters["heap_MB"] = held / (1024 * 1024);
    state.counters["drawn_MB"] = drawn / (1024 * 1024);
    state.counters["gif_indices_MB"] = indices / (1024 * 1024);
    state.counters["ratio_to_drawn_pixels"] = drawn > 0 ? held / drawn : 0;
}
BENCHMARK(BM_HeapHeldByDefault)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
