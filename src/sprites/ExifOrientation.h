#pragma once

#include <QByteArray>
#include <QImage>

class QIODevice;

// Phones store a portrait photo as landscape pixels and say in its EXIF
// data how to turn it. These find that word and turn the pixels, so that
// a picture shows as it was taken; the EXIF data itself is never kept.
namespace ExifOrientation {

// The orientation (1..8) in EXIF data laid out as TIFF ("II*\0" or
// "MM\0*", optionally after "Exif\0\0"); 1 when there is none or it is damaged.
int FromExif(const QByteArray &exif);
// The orientation stored in a JPEG's first EXIF segment (`APP1`'s payload).
int FromJpegSegment(const QByteArray &app1);
// The orientation a PNG (`eXIf` chunk) or WebP (`EXIF` chunk) file holds;
// walks the chunk headers only and leaves the device where it was.
int FromChunks(QIODevice &file, const QByteArray &format);

// The pixels turned and mirrored as `orientation` asks (1: unchanged).
QImage Upright(const QImage &image, int orientation);
// Whether that orientation swaps width and height (5..8).
bool SwapsSides(int orientation);

} // namespace ExifOrientation
