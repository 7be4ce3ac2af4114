#pragma once

#include <QImage>

#include <vector>

// Neon's sprites: glowing tubes on a night field. Every picture is drawn
// as thin lines that Glow turns into a white-hot core with a fading halo.
namespace Neon {

const QRgb Field = qRgb(6, 4, 22);  // the background's own dark, where halos fade to
const QRgb Magenta = qRgb(255, 60, 220);
const QRgb Cyan = qRgb(60, 240, 255);
const QRgb Lime = qRgb(150, 255, 80);
const QRgb Amber = qRgb(255, 170, 40);

QImage Ship();                     // picture 6, the photos' size
std::vector<QImage> Creatures();   // the photos
QImage Canon();
QImage CanonLeft();
QImage Home();
std::vector<QImage> Bomb();
std::vector<QImage> Rocket();
// Rings and sparks bursting from the centre, `frames` long.
std::vector<QImage> Burst(int width, int height, int frames, QRgb hue, QRgb second);
// Tube letters: the outline of the pixel font's letters, glowing.
QImage TubeText(const QString &text, int scale, QRgb hue, QRgb field);

} // namespace Neon
