#include "sprites/BmpTrueColour.h"

#include <QtEndian>

namespace {

qint64 RowBytes(const TBmpHeader &header)
{
    // Rows are padded to whole 32-bit words.
    return (header.Width * 3 + 3) / 4 * 4;
}

} // namespace

bool BmpTrueColour::Handles(const TBmpHeader &header, qint64 fileSize)
{
    return header.BitsPerPixel == 24 && header.Compression == 0 && header.InfoSize >= 40
           && header.Width > 0 && header.Height > 0 && header.PixelOffset >= 14 + header.InfoSize
           && fileSize >= header.PixelOffset + RowBytes(header) * header.Height;
}

QImage BmpTrueColour::Decode(const QByteArray &file, const TBmpHeader &header)
{
    if (!Handles(header, file.size()))
        return {};
    QImage image(int(header.Width), int(header.Height), QImage::Format_RGB32);
    if (image.isNull())
        return {};
    const auto *pixels = reinterpret_cast<const uchar *>(file.constData()) + header.PixelOffset;
    const int width = image.width();
    const int height = image.height();
    for (int y = 0; y < height; ++y) {
        const uchar *in = pixels + RowBytes(header) * (header.TopDown ? y : height - 1 - y);
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
        int x = 0;
        // Four pixels from three words: blue, green, red, blue, green, ...
        for (; x + 4 <= width; x += 4, in += 12) {
            const quint32 a = qFromLittleEndian<quint32>(in);
            const quint32 b = qFromLittleEndian<quint32>(in + 4);
            const quint32 c = qFromLittleEndian<quint32>(in + 8);
            out[x] = 0xFF000000u | (a & 0xFFFFFFu);
            out[x + 1] = 0xFF000000u | a >> 24 | (b & 0xFFFFu) << 8;
            out[x + 2] = 0xFF000000u | b >> 16 | (c & 0xFFu) << 16;
            out[x + 3] = 0xFF000000u | c >> 8;
        }
        for (; x < width; ++x, in += 3)
            out[x] = 0xFF000000u | uint(in[2]) << 16 | uint(in[1]) << 8 | in[0];
    }
    return image;
}
