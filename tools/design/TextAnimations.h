#pragma once

#include "PixelArt.h"

#include <vector>

// Animated lettering for game-over and title pictures; the last frame of
// each shows the whole text.

// Letters appear one by one, then flash `flashes` times in `flash`.
std::vector<QImage> TypedText(const QString &text, TTextStyle style, int flashes, const TTextStyle &flash);
// Letters drop in from above one after another, landing with a bounce.
std::vector<QImage> DroppingText(const QString &text, const TTextStyle &style);
// A lightning bolt strikes, then the word lights up from left to right.
std::vector<QImage> StrikingText(const QString &text, const TTextStyle &dim, const TTextStyle &lit);
// Pictures that arrive one after another from above, each landing in its
// place in a row, `gap` pixels apart.
std::vector<QImage> ArrivingRow(const std::vector<QImage> &items, int gap);
