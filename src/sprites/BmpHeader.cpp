#include "sprites/BmpHeader.h"

#include <QtEndian>

std::optional<TBmpHeader> TBmpHeader::Parse(const QByteArray &bytes)
{
    if (bytes.size() < 26 || !bytes.startsWith("BM"))
        return std::nullopt;
    const char *data = bytes.constData();
    auto word = [&](int at) { return qFromLittleEndian<quint16>(data + at); };
    auto dword = [&](int at) { return qFromLittleEndian<quint32>(data + at); };
    auto signedDword = [&](int at) { return qFromLittleEndian<qint32>(data + at); };

    TBmpHeader header;
    header.PixelOffset = dword(10);
    const quint32 infoSize = dword(14);
    header.InfoSize = infoSize;
    if (infoSize == 12) {
        header.Width = word(18);
        header.Height = word(20);
        header.BitsPerPixel = word(24);
        return header;
    }
    header.Width = signedDword(18);
    // A negative height only means rows stored top-down.
    header.Height = qAbs(qint64(signedDword(22)));
    header.TopDown = signedDword(22) < 0;
    if (bytes.size() >= BytesNeeded) {
        header.BitsPerPixel = word(28);
        header.Compression = dword(30);
        header.CompressedSize = dword(34);
    }
    return header;
}

qint64 TBmpHeader::FileSizeNeeded() const
{
    switch (Compression) {
    case 0:
    case 3:
    case 6: {
        // Sizes beyond any picture we take are refused before this is asked.
        if (BitsPerPixel <= 0 || Width <= 0 || Width > 1 << 20 || Height > 1 << 20)
            return 0;
        // Rows are padded to whole 32-bit words.
        const qint64 rowBytes = (Width * BitsPerPixel + 31) / 32 * 4;
        return PixelOffset + rowBytes * Height;
    }
    case 1:
    case 2:
        return CompressedSize > 0 ? PixelOffset + CompressedSize : 0;
    default:
        return 0;
    }
}
