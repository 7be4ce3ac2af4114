#pragma once

#include "sprites/Picture.h"

#include <QImage>
#include <QSize>

// Sizes pictures for the design editor. Scaled sides are rounded to the
// nearest whole pixel, halves to the even neighbour, and never below one.

// The size with its longer side at `maxSide` and the other side scaled by
// the same ratio.
QSize FittedSize(int maxSide, QSize size);
// The size FitBitmap gives a picture of `size`.
QSize FitBitmapSize(int maxSide, QSize size);
// A new bitmap: the same size when both sides are at most `maxSide`,
// otherwise reduced to FittedSize; the source is drawn stretched into it.
QImage FitBitmap(int maxSide, const QImage &bitmap);
// Like FitBitmap, but scales up as well: the longer side becomes `maxSide`.
// An animated picture gives a still bitmap of its first frame.
QImage FitGraphic(int maxSide, const TPicture &picture);
// The picture as a still bitmap stretched to exactly `size`.
QImage StretchGraphic(QSize size, const TPicture &picture);
// When the picture is wider or higher than `maxSide`, replaces it by its
// reduced copy; a GIF stays a GIF (of one frame), anything else a bitmap.
void ShrinkImage(TPicture &picture, int maxSide);
// The picture as an opaque bitmap: a bitmap as loaded, a GIF's first frame
// drawn on white so its see-through parts keep a colour of their own.
QImage StillBitmap(const TPicture &picture);
