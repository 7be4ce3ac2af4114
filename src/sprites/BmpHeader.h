#pragma once

#include <QByteArray>

#include <optional>

// The facts of a BMP file's headers that tell, before Qt decodes it,
// whether the picture is too large or the file is cut short.
struct TBmpHeader
{
    qint64 Width = 0;
    qint64 Height = 0;          // rows, whichever way they are stored
    bool TopDown = false;       // first stored row at the top
    quint32 InfoSize = 0;       // size of the info header
    int BitsPerPixel = 0;
    quint32 Compression = 0;    // 0 plain, 1 and 2 run-length, 3 and 6 bit fields
    qint64 PixelOffset = 0;     // where the pixel data starts in the file
    qint64 CompressedSize = 0;  // run-length data size as declared; 0 when unknown

    // Null when `bytes` (the file's first bytes) hold no BMP headers.
    static std::optional<TBmpHeader> Parse(const QByteArray &bytes);
    static constexpr int BytesNeeded = 38;

    // The file size the pixel data needs; 0 when that cannot be known.
    qint64 FileSizeNeeded() const;
};
