#pragma once

#include "PixelArt.h"

#include <QPainter>

#include <functional>

// Effects over pixel art: outlines, pale and glowing versions, line art.

// The art grown by `width` pixels on every side, the new rim in `colour`
// wherever it touches the art: a colouring-book outline.
QImage Outlined(const QImage &art, QRgb colour, int width);
// Every opaque colour mixed towards white by `t` (0..1): pale art.
QImage Paled(const QImage &art, double t);
// Neon lines: every opaque pixel of `lines` burns in a white-hot core, the
// pixels around it glow in `hue` and fade in steps towards `field` over
// `radius` pixels; few colours, so the result suits a GIF. The halo needs
// room inside the picture.
QImage Glow(const QImage &lines, QRgb hue, QRgb field, int radius);
// The opaque pixels of `art` that touch a see-through one (or the edge):
// filled shapes become their outlines, letters become neon tubes.
QImage EdgePixels(const QImage &art);
// The art centred on a transparent canvas `margin` pixels larger each side.
QImage Padded(const QImage &art, int margin);
// A transparent canvas drawn on by `draw` with a 1-pixel pen and no
// smoothing: line art for Glow.
QImage LineArt(int width, int height, const std::function<void(QPainter &)> &draw);
// Mixes two colours, `t` = 0 gives `a`.
QRgb Mix(QRgb a, QRgb b, double t);
