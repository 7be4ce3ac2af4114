#pragma once

#include <QImage>

#include <vector>

// Reef's sprites: sea creatures and the submarine in chunky pixels, drawn
// small with hard edges and blown up.
namespace Reef {

const QRgb Navy = qRgb(6, 22, 52); // outlines and the slogan on the white attract screen

// The photos, all of the ship picture's size; the first is the ship picture.
std::vector<QImage> Fish();
QImage Submarine(int scale);
QImage Coral();
// Bubbles bursting from the centre, rising as they spread.
std::vector<QImage> Bubbles(int width, int height, int frames, QRgb rim, QRgb core);

} // namespace Reef
