#pragma once

#include "PixelArt.h"
#include "WaveSynth.h"

#include "design/DesignLayout.h"

#include <QString>
#include <QStringList>

#include <array>
#include <utility>

// The designs shipped beside the game, made afresh by every build.
void MakeDefaultDesign(const QString &dir);
// Complete designs of their own look and sound.
void MakeNeonDesign(const QString &dir);
void MakeRetroDesign(const QString &dir);
void MakeReefDesign(const QString &dir);

// Shared helpers of the designs.
// The bitmaps' see-through colour; no design draws with it.
inline constexpr QRgb SeeThrough = 0xFFFF00FFu;
void SaveBitmap(const QString &path, const QImage &art, QRgb key);
void SaveKeyList(const QString &path, const QStringList &lines); // CR LF, as the game writes
// Saves the four pictures that shape the play field (ship, cannon, cannons
// left, home) and returns the field they give, as the game computes it.
TLayout SaveFieldPictures(const QString &dir, const QImage &ship, const QImage &canon, const QImage &canonLeft,
                          const QImage &home);
void SaveBackground(const QString &dir, const QImage &background);
// Photo_1.bmp ... in order.
void SavePhotos(const QString &dir, const std::vector<QImage> &photos);
// Sound1.wav ... Sound7.wav.
void SaveSounds(const QString &dir, const std::array<const TSynth *, 7> &cues);
// !design.ini: the info text, each animated picture's delay (the title and
// game-over pictures play once, the rest loop), the photos and the layout.
void SaveDesignIni(const QString &dir, const QString &info, const std::vector<std::pair<int, int>> &delays,
                   int photoCount, const TLayout &layout);
// An explosion: a fireball in pixel blocks of `block` that grows, cools
// through `heat` (hottest first) and leaves a few cooling sparks.
std::vector<QImage> ExplosionFrames(int width, int height, int frames, int block,
                                    const std::vector<QRgb> &heat, std::uint32_t seed);
