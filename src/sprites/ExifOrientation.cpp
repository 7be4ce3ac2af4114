#include "sprites/ExifOrientation.h"

#include <QIODevice>
#include <QTransform>

namespace ExifOrientation {

namespace {

constexpr quint16 OrientationTag = 0x0112;
constexpr quint16 ShortType = 3;

quint32 Read(const QByteArray &bytes, qsizetype at, int size, bool bigEndian)
{
    quint32 value = 0;
    for (int i = 0; i < size; ++i) {
        const quint32 byte = quint8(bytes[at + (bigEndian ? i : size - 1 - i)]);
        value = (value << 8) | byte;
    }
    return value;
}

} // namespace

int FromExif(const QByteArray &exif)
{
    const QByteArray tiff = exif.startsWith(QByteArrayLiteral("Exif\0\0")) ? exif.mid(6) : exif;
    if (tiff.size() < 8)
        return 1;
    const bool bigEndian = tiff.startsWith("MM");
    if (!bigEndian && !tiff.startsWith("II"))
        return 1;
    if (Read(tiff, 2, 2, bigEndian) != 42)
        return 1;
    const qint64 ifd = Read(tiff, 4, 4, bigEndian);
    if (ifd + 2 > tiff.size())
        return 1;
    const int count = int(Read(tiff, ifd, 2, bigEndian));
    for (int i = 0; i < count; ++i) {
        const qint64 entry = ifd + 2 + qint64(i) * 12;
        if (entry + 12 > tiff.size())
            return 1;
        if (Read(tiff, entry, 2, bigEndian) != OrientationTag)
            continue;
        if (Read(tiff, entry + 2, 2, bigEndian) != ShortType)
            return 1;
        const int value = int(Read(tiff, entry + 8, 2, bigEndian));
        return value >= 1 && value <= 8 ? value : 1;
    }
    return 1;
}

int FromJpegSegment(const QByteArray &app1)
{
    return app1.startsWith(QByteArrayLiteral("Exif\0\0")) ? FromExif(app1) : 1;
}

int FromChunks(QIODevice &file, const QByteArray &format)
{
    // Chunks larger than any real EXIF block are not read.
    constexpr quint32 maxExif = 1 << 20;
    const qint64 start = file.pos();
    const bool png = format == "png";
    const QByteArray wanted = png ? QByteArrayLiteral("eXIf") : QByteArrayLiteral("EXIF");
    qint64 at = png ? 8 : 12;
    int orientation = 1;
    while (file.seek(at)) {
        const QByteArray header = file.read(8);
        if (header.size() < 8)
            break;
        const quint32 length = png ? Read(header, 0, 4, true) : Read(header, 4, 4, false);
        const QByteArray type = png ? header.mid(4, 4) : header.left(4);
        if (type == wanted) {
            if (length <= maxExif)
                orientation = FromExif(file.read(length));
            break;
        }
        // Pixels come after the EXIF data in either kind of file, except in
        // a PNG written by a program that appends it; so walk on.
        at += 8 + qint64(length) + (png ? 4 : (length & 1));
    }
    file.seek(start);
    return orientation;
}

bool SwapsSides(int orientation)
{
    return orientation >= 5 && orientation <= 8;
}

QImage Upright(const QImage &image, int orientation)
{
    switch (orientation) {
    case 2: return image.mirrored(true, false);
    case 3: return image.mirrored(true, true);
    case 4: return image.mirrored(false, true);
    case 5: return image.transformed(QTransform(0, 1, 1, 0, 0, 0));
    case 6: return image.transformed(QTransform().rotate(90));
    case 7: return image.transformed(QTransform(0, -1, -1, 0, 0, 0));
    case 8: return image.transformed(QTransform().rotate(270));
    default: return image;
    }
}

} // namespace ExifOrientation
