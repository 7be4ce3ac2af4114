#include "GifWriter.h"

#include <gif_lib.h>

#include <QFile>

#include <map>
#include <stdexcept>

namespace {

[[noreturn]] void Fail(const QString &path, const char *what)
{
    throw std::runtime_error(QStringLiteral("%1: %2").arg(path, QLatin1String(what)).toStdString());
}

// Index 0 is the transparent colour; the rest are the frames' colours in
// order of first use, so the file is the same on every run.
std::map<QRgb, int> BuildPalette(const QString &path, const TGifFrames &gif, ColorMapObject *map)
{
    std::map<QRgb, int> index;
    int next = 1;
    for (const QImage &frame : gif.Frames) {
        for (int y = 0; y < frame.height(); ++y) {
            for (int x = 0; x < frame.width(); ++x) {
                const QRgb c = frame.pixel(x, y);
                if (qAlpha(c) == 0 || index.count(c | 0xFF000000u))
                    continue;
                if (next > 255)
                    Fail(path, "more than 255 colours");
                map->Colors[next] = {GifByteType(qRed(c)), GifByteType(qGreen(c)), GifByteType(qBlue(c))};
                index[c | 0xFF000000u] = next++;
            }
        }
    }
    return index;
}

void PutLoopExtension(GifFileType *file)
{
    const GifByteType app[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    const GifByteType loop[] = {1, 0, 0};
    EGifPutExtensionLeader(file, APPLICATION_EXT_FUNC_CODE);
    EGifPutExtensionBlock(file, sizeof app, app);
    EGifPutExtensionBlock(file, sizeof loop, loop);
    EGifPutExtensionTrailer(file);
}

} // namespace

void WriteGif(const QString &path, const TGifFrames &gif)
{
    if (gif.Frames.empty())
        Fail(path, "no frames");
    const int w = gif.Frames.front().width(), h = gif.Frames.front().height();
    int error = 0;
    GifFileType *file = EGifOpenFileName(path.toLocal8Bit().constData(), false, &error);
    if (!file)
        Fail(path, "cannot create file");
    ColorMapObject *map = GifMakeMapObject(256, nullptr);
    for (int i = 0; i < 256; ++i)
        map->Colors[i] = {0, 0, 0};
    const std::map<QRgb, int> index = BuildPalette(path, gif, map);
    EGifSetGifVersion(file, true);
    bool ok = EGifPutScreenDesc(file, w, h, 8, 0, map) == GIF_OK;
    if (ok && gif.Loop && gif.Frames.size() > 1)
        PutLoopExtension(file);
    std::vector<GifPixelType> line(w);
    for (const QImage &frame : gif.Frames) {
        if (frame.width() != w || frame.height() != h)
            Fail(path, "frames differ in size");
        // Disposal 2: a viewer clears each frame before the next, as the
        // game draws every frame on its own.
        const GifByteType gce[] = {GifByteType((2 << 2) | 1), GifByteType(gif.DelayHundredths & 0xFF),
                                   GifByteType(gif.DelayHundredths >> 8), 0};
        ok = ok && EGifPutExtension(file, GRAPHICS_EXT_FUNC_CODE, sizeof gce, gce) == GIF_OK;
        ok = ok && EGifPutImageDesc(file, 0, 0, w, h, false, nullptr) == GIF_OK;
        for (int y = 0; ok && y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const QRgb c = frame.pixel(x, y);
                line[x] = qAlpha(c) == 0 ? 0 : GifPixelType(index.at(c | 0xFF000000u));
            }
            ok = EGifPutLine(file, line.data(), w) == GIF_OK;
        }
    }
    GifFreeMapObject(map);
    if (EGifCloseFile(file, &error) != GIF_OK || !ok)
        Fail(path, "write failed");
    // giflib creates files readable by their owner only; these are shipped.
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
}
