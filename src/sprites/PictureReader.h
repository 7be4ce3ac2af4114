#pragma once

#include "sprites/Picture.h"
#include "sprites/PictureError.h"

#include <QString>

// Loads a picture by its file's extension, in any letter case: ".gif"
// (all frames), ".jpg"/".jpeg", ".bmp", ".ico", ".png". Metafiles
// (".emf", ".wmf") and unknown kinds are refused. Every failure, and every
// picture whose side exceeds 16384 pixels or whose area exceeds 64 M
// pixels, raises EPictureError naming the file before memory is taken.
TPicture LoadPicture(const QString &path);

// Reads a JPEG file through libjpeg; used by LoadPicture.
QImage ReadJpegFile(const QString &path);
