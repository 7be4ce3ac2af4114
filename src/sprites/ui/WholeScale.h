#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

// Enlarges a frame by a whole factor as pixel duplication: each source row
// is widened once into the target, then copied down factor - 1 times. The
// result equals nearest-neighbour scaling, at a fraction of a general
// scaler's cost, which matters at 4K where a frame is millions of pixels.
namespace WholeScale {

// Draws `part` of `frame` (32-bit, opaque; a null part: all of it) into
// `target` (32-bit), the frame's top left corner landing at `origin`, each
// pixel as a factor x factor square. False, with nothing drawn, when the
// formats are not 32-bit or the enlarged part does not lie inside target.
bool Draw(QImage &target, QPoint origin, const QImage &frame, int factor, QRect part = {});

} // namespace WholeScale
