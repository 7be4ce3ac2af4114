#pragma once

#include "sprites/BmpHeader.h"

#include <QImage>

// The commonest bitmap, 24 bits a pixel without compression, read straight
// into the format that is drawn; every other kind is left to Qt's reader.
namespace BmpTrueColour {

bool Handles(const TBmpHeader &header, qint64 fileSize);
// `file` holds the whole file, which Handles() accepted.
QImage Decode(const QByteArray &file, const TBmpHeader &header);

} // namespace BmpTrueColour
