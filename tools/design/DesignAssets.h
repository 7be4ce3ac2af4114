#pragma once

#include "PixelArt.h"

#include <QString>
#include <QStringList>

// The designs shipped beside the game, made afresh by every build.
void MakeDefaultDesign(const QString &dir);
// A design that carries only what differs from Default; `defaultDir` is
// read for the picture sizes its layout inherits.
void MakeNeonDesign(const QString &dir, const QString &defaultDir);

// Shared helpers of the two designs.
void SaveBitmap(const QString &path, const QImage &art, QRgb key);
void SaveKeyList(const QString &path, const QStringList &lines); // CR LF, as the game writes
// An explosion: a fireball in pixel blocks of `block` that grows, cools
// through `heat` (hottest first) and leaves a few cooling sparks.
std::vector<QImage> ExplosionFrames(int width, int height, int frames, int block,
                                    const std::vector<QRgb> &heat, std::uint32_t seed);
