#include "gif/GifImage.h"

#include "base/FileWriter.h"
#include "base/TextFile.h"

#include <QFile>
#include <QHash>

#include <algorithm>
#include <cstring>

namespace {

QString Quoted(const QString &name)
{
    return QStringLiteral("\"%1\"").arg(name);
}

} // namespace

QVector<QRgb> TGifImage::ColourCube()
{
    QVector<QRgb> cube;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 7; ++g)
            for (int b = 0; b < 6; ++b)
                cube.append(qRgb(r * 255 / 5, g * 255 / 6, b * 255 / 5));
    return cube;
}

TGifImage::TGifImage(int width, int height, QVector<QRgb> globalPalette)
    : mWidth(width), mHeight(height), mGlobalPalette(std::move(globalPalette))
{
    if (width < 0 || height < 0 || IsAbsurdSize(width, height))
        throw EGifError(QStringLiteral("A GIF picture of %1 x %2 pixels is too large.")
                            .arg(width).arg(height));
    if (mGlobalPalette.size() > 256)
        throw EGifError(QStringLiteral("A GIF colour table holds at most 256 colours."));
}

namespace {

quint16 Word(const QByteArray &bytes, qsizetype at)
{
    return quint16(quint8(bytes[at]) | (quint8(bytes[at + 1]) << 8));
}

// Skips a chain of data sub-blocks; returns the position after its end
// marker, or -1 when the file ends first.
qsizetype SkipSubBlocks(const QByteArray &bytes, qsizetype at)
{
    while (at < bytes.size()) {
        const int length = quint8(bytes[at]);
        ++at;
        if (length == 0)
            return at;
        at += length;
    }
    return -1;
}

qsizetype ColourTableSize(quint8 packed)
{
    return (packed & 0x80) ? 3 * (qsizetype(2) << (packed & 7)) : 0;
}

// Walks the GIF's blocks and adds up the frame sizes its image
// descriptors declare; stops quietly where the file is damaged.
} // namespace

qint64 TGifImage::DeclaredPixels(const QByteArray &bytes)
{
    if (bytes.size() < 13 || !bytes.startsWith("GIF"))
        return 0;
    qsizetype at = 13 + ColourTableSize(quint8(bytes[10]));
    qint64 pixels = 0;
    while (at >= 0 && at < bytes.size()) {
        const quint8 block = quint8(bytes[at]);
        if (block == 0x21 && at + 2 <= bytes.size()) {
            at = SkipSubBlocks(bytes, at + 2);
        } else if (block == 0x2C && at + 10 <= bytes.size()) {
            pixels += qint64(Word(bytes, at + 5)) * Word(bytes, at + 7);
            at += 10 + ColourTableSize(quint8(bytes[at + 9])) + 1;
            at = SkipSubBlocks(bytes, at);
        } else {
            break;
        }
    }
    return pixels;
}


bool TGifImage::IsAbsurdSize(qint64 width, qint64 height)
{
    return width > MaxSide || height > MaxSide || width * height > MaxPixels;
}

TGifImage TGifImage::FromFile(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        throw EGifError(QStringLiteral("The GIF picture %1 does not exist.").arg(Quoted(path)));
    if (!file.open(QIODevice::ReadOnly))
        throw EGifError(QStringLiteral("The GIF picture %1 cannot be opened: %2.")
                            .arg(Quoted(path), file.errorString()));
    // No real picture comes near this; refusing keeps a stray file from exhausting memory.
    if (file.size() > MaxFileBytes)
        throw EGifError(QStringLiteral("The GIF picture %1 is too large.").arg(Quoted(path)));
    const QByteArray bytes = file.readAll();
    if (bytes.size() != file.size())
        throw EGifError(QStringLiteral("The GIF picture %1 cannot be read: %2.")
                            .arg(Quoted(path), file.errorString()));
    return FromBytes(bytes, path);
}

TGifImage TGifImage::FromImage(const QImage &source)
{
    return FromImages({source});
}

TGifImage TGifImage::FromImages(const std::vector<QImage> &sources, int delay)
{
    if (sources.empty() || sources.front().isNull())
        throw EGifError(QStringLiteral("An empty picture cannot be made a GIF."));
    const int width = sources.front().width();
    const int height = sources.front().height();
    std::vector<QImage> images;
    for (const QImage &source : sources) {
        if (source.size() != sources.front().size())
            throw EGifError(QStringLiteral("The frames of a GIF picture must be of one size."));
        images.push_back(source.convertToFormat(QImage::Format_ARGB32));
    }

    // One palette for every frame: the colours as they are while they fit,
    // else a colour cube.
    QHash<QRgb, int> colours;
    bool anyTransparent = false;
    bool tooMany = false;
    for (const QImage &image : images) {
        for (int y = 0; y < height && !tooMany; ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            for (int x = 0; x < width; ++x) {
                if (qAlpha(line[x]) < 128) {
                    anyTransparent = true;
                    continue;
                }
                const QRgb rgb = line[x] | 0xFF000000u;
                if (!colours.contains(rgb)) {
                    if (colours.size() >= 255) {
                        tooMany = true;
                        break;
                    }
                    colours.insert(rgb, int(colours.size()));
                }
            }
        }
    }
    QVector<QRgb> palette;
    if (!tooMany) {
        palette.resize(colours.size());
        for (auto it = colours.cbegin(); it != colours.cend(); ++it)
            palette[it.value()] = it.key();
    } else {
        palette = ColourCube();
    }
    const int transparentIndex = anyTransparent ? int(palette.size()) : -1;
    if (anyTransparent)
        palette.append(qRgb(0, 0, 0));
    if (palette.isEmpty())
        palette.append(qRgb(0, 0, 0));

    TGifImage gif(width, height, palette);
    for (const QImage &image : images) {
        QByteArray indices(qint64(width) * height, '\0');
        auto *out = reinterpret_cast<uchar *>(indices.data());
        const QImage reduced = tooMany ? image.convertToFormat(QImage::Format_RGB32)
                                             .convertToFormat(QImage::Format_Indexed8, ColourCube())
                                       : QImage();
        for (int y = 0; y < height; ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            const uchar *row = tooMany ? reduced.constScanLine(y) : nullptr;
            for (int x = 0; x < width; ++x) {
                if (qAlpha(line[x]) < 128)
                    *out++ = uchar(transparentIndex);
                else
                    *out++ = row ? row[x] : uchar(colours.value(line[x] | 0xFF000000u));
            }
        }
        // Every frame covers the whole picture: each is put back to the
        // background before the next, so see-through parts stay see-through.
        gif.AddFrame(0, 0, width, height, std::move(indices), {}, transparentIndex, delay,
                     images.size() > 1 ? 2 : 0);
    }
    return gif;
}

void TGifImage::DrawnColours(const QVector<QRgb> &palette, int transparentIndex, QRgb (&table)[256])
{
    for (int i = 0; i < 256; ++i)
        table[i] = i < palette.size() ? (palette[i] | 0xFF000000u) : 0xFF000000u;
    if (transparentIndex >= 0 && transparentIndex < 256)
        table[transparentIndex] = 0;
}

const TGifFrame &TGifImage::Frame(int index) const
{
    RestoreIndices();
    return mFrames.at(std::size_t(index));
}

void TGifImage::SetLoopCount(int count)
{
    RestoreIndices();
    mLoopCount = std::clamp(count, -1, 0xFFFF);
    mOriginal.clear();
}

const QVector<QRgb> &TGifImage::PaletteOf(const TGifFrame &frame) const
{
    return frame.Palette.isEmpty() ? mGlobalPalette : frame.Palette;
}

void TGifImage::AddFrame(int left, int top, int width, int height, QByteArray indices,
                         QVector<QRgb> localPalette, int transparentIndex, int delay,
                         int disposal)
{
    const QString name = QStringLiteral("new GIF");
    RestoreIndices();
    if (width < 0 || height < 0 || left < 0 || top < 0 || left > 0xFFFF || top > 0xFFFF)
        throw EGifError(QStringLiteral("A GIF frame needs a place and size of 0 to 65535 pixels."));
    if (indices.size() != qint64(width) * height)
        throw EGifError(QStringLiteral("A GIF frame of %1 x %2 pixels needs %3 indices, not %4.")
                            .arg(width).arg(height).arg(qint64(width) * height).arg(indices.size()));
    if (localPalette.size() > 256)
        throw EGifError(QStringLiteral("A GIF colour table holds at most 256 colours."));
    TGifFrame frame;
    frame.Offset = QPoint(left, top);
    frame.Delay = std::clamp(delay, 0, 0xFFFF);
    frame.Disposal = std::clamp(disposal, 0, 7);
    frame.TransparentIndex = transparentIndex >= 0 && transparentIndex < 256 ? transparentIndex : -1;
    frame.Palette = std::move(localPalette);
    const QVector<QRgb> &palette = PaletteOf(frame);
    if (palette.isEmpty())
        throw EGifError(QStringLiteral("A GIF frame needs a colour table."));
    const auto *data = reinterpret_cast<const uchar *>(indices.constData());
    if (std::any_of(data, data + indices.size(), [&](uchar i) { return i >= palette.size(); }))
        throw EGifError(QStringLiteral("A GIF frame uses a colour its table does not hold."));
    ReserveFrame(width, height, name);
    QRgb table[256];
    DrawnColours(palette, frame.TransparentIndex, table);
    // Pixels become premultiplied ARGB once, so drawing is a plain copy.
    frame.Image = NewFrameImage(width, height, name);
    const auto *source = reinterpret_cast<const uchar *>(indices.constData());
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(frame.Image.scanLine(y));
        const uchar *row = source + qint64(y) * width;
        for (int x = 0; x < width; ++x)
            line[x] = table[row[x]];
    }
    frame.Indices = std::move(indices);
    PushFrame(std::move(frame), width, height);
    mOriginal.clear();
}

void TGifImage::ReserveFrame(int width, int height, const QString &name)
{
    if (IsAbsurdSize(width, height))
        throw EGifError(QStringLiteral("The GIF picture %1 has a frame of %2 x %3 pixels, "
                                       "which is too large.")
                            .arg(Quoted(name)).arg(width).arg(height));
    // A frame without pixels cannot be written so that a reader takes it back.
    if (width <= 0 || height <= 0)
        throw EGifError(QStringLiteral("The GIF picture %1 has a frame without pixels.")
                            .arg(Quoted(name)));
    if (FrameCount() >= MaxFrames)
        throw EGifError(QStringLiteral("The GIF picture %1 has more than %2 frames.")
                            .arg(Quoted(name)).arg(MaxFrames));
    mTotalPixels += qint64(width) * height;
    if (mTotalPixels > MaxTotalPixels)
        throw EGifError(QStringLiteral("The GIF picture %1 has too many pixels in all its "
                                       "frames together.").arg(Quoted(name)));
}

QImage TGifImage::NewFrameImage(int width, int height, const QString &name)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        throw EGifError(QStringLiteral("There is not enough memory for the GIF picture %1.")
                            .arg(Quoted(name)));
    return image;
}

void TGifImage::PushFrame(TGifFrame frame, int width, int height)
{
    const QVector<QRgb> &palette = PaletteOf(frame);
    if (frame.TransparentIndex >= 0)
        frame.TransparentColor = frame.TransparentIndex < palette.size()
                                     ? (palette[frame.TransparentIndex] | 0xFF000000u)
                                     : 0xFF000000u;
    frame.Size = QSize(width, height);
    mFrames.push_back(std::move(frame));
}

void TGifImage::SaveToFile(const QString &path) const
{
    WriteFileAtomic(path, Encode());
}
