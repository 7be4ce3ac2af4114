#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>

// Pictures as phones write them: landscape pixels plus EXIF data that says
// how to turn them, and where the photo was taken.

// The text a test looks for: it must never reach a design.
inline const QByteArray &ExifSecret()
{
    static const QByteArray secret("SnapstormSecretPlace");
    return secret;
}

// EXIF data laid out as little-endian TIFF: the orientation, a description
// holding ExifSecret() and a GPS block with a latitude of 48 degrees north.
inline QByteArray ExifTiff(int orientation)
{
    QByteArray tiff("II*\0\x08\0\0\0", 8);
    const auto put16 = [&](int v) { tiff.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    const auto put32 = [&](quint32 v) { put16(int(v & 0xFFFF)); put16(int(v >> 16)); };
    const auto entry = [&](int tag, int type, quint32 count, quint32 value) {
        put16(tag); put16(type); put32(count); put32(value);
    };
    // IFD0 at 8: three entries, then the next-IFD link; its data follows.
    const quint32 ifd0End = 8 + 2 + 3 * 12 + 4;
    const quint32 textAt = ifd0End;
    const quint32 textSize = quint32(ExifSecret().size()) + 1;
    const quint32 gpsAt = textAt + textSize + (textSize & 1);
    put16(3);
    entry(0x010E, 2, textSize, textAt);  // ImageDescription
    entry(0x0112, 3, 1, quint32(orientation));
    entry(0x8825, 4, 1, gpsAt);          // the GPS block
    put32(0);
    tiff.append(ExifSecret()).append('\0');
    if (textSize & 1)
        tiff.append('\0');
    // GPS IFD: latitude reference "N" and 48/1, 0/1, 0/1.
    const quint32 ratAt = gpsAt + 2 + 2 * 12 + 4;
    put16(2);
    entry(0x0001, 2, 2, 'N');
    entry(0x0002, 5, 3, ratAt);
    put32(0);
    for (quint32 v : {48u, 1u, 0u, 1u, 0u, 1u})
        put32(v);
    return tiff;
}

inline QByteArray JpegBytes(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 95);
    return bytes;
}

// A JPEG of `image` with an EXIF segment right after its start marker.
inline QByteArray JpegWithExif(const QImage &image, int orientation)
{
    const QByteArray jpeg = JpegBytes(image);
    const QByteArray payload = QByteArray("Exif\0\0", 6) + ExifTiff(orientation);
    QByteArray segment("\xFF\xE1", 2);
    const int length = int(payload.size()) + 2;
    segment.append(char(length >> 8)).append(char(length & 0xFF)).append(payload);
    return jpeg.left(2) + segment + jpeg.mid(2);
}

// The picture a phone would store for `upright` with `orientation`: the
// pixels turned the other way, so that honouring the tag gives `upright`.
inline QImage StoredFor(const QImage &upright, int orientation)
{
    switch (orientation) {
    case 2: return upright.mirrored(true, false);
    case 3: return upright.mirrored(true, true);
    case 4: return upright.mirrored(false, true);
    case 5: return upright.transformed(QTransform(0, 1, 1, 0, 0, 0));
    case 6: return upright.transformed(QTransform().rotate(270));
    case 7: return upright.transformed(QTransform(0, -1, -1, 0, 0, 0));
    case 8: return upright.transformed(QTransform().rotate(90));
    default: return upright;
    }
}
