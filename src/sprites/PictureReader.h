#pragma once

#include "sprites/Picture.h"
#include "sprites/PictureError.h"

#include <QString>
#include <QStringList>

#include <functional>

// Told the pixels a picture file declares in its headers before any are
// decoded; refuses the picture by throwing.
using TDeclaredPixelsCheck = std::function<void(qint64 pixels)>;

// Loads a picture by its file's extension, in any letter case: ".gif"
// (all frames), ".jpg"/".jpeg", ".heic"/".heif", ".png", ".webp",
// ".tif"/".tiff", ".bmp", ".ico". Photos come out turned as their EXIF
// orientation says; none of their other data is kept. Metafiles (".emf",
// ".wmf") and unknown kinds are refused. Every failure, and every picture
// whose side exceeds 16384 pixels or whose area exceeds 64 M pixels,
// raises EPictureError naming the file before memory is taken;
// `beforeDecoding`, when given, is asked about every kind too.
TPicture LoadPicture(const QString &path, const TDeclaredPixelsCheck &beforeDecoding = {});

// The extensions (lower case, no dot) LoadPicture reads.
const QStringList &PictureExtensions();

// The size a BMP file declares, read from its headers alone; an empty size
// when LoadPicture would refuse the file on what they tell (missing, not a
// BMP, too large, cut short).
QSize BmpFileSize(const QString &path);

// Read a JPEG file through libjpeg, and a HEIC/HEIF file through libheif;
// used by LoadPicture.
QImage ReadJpegFile(const QString &path, const TDeclaredPixelsCheck &beforeDecoding = {});
QImage ReadHeifFile(const QString &path, const TDeclaredPixelsCheck &beforeDecoding = {});
