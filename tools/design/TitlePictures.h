#pragma once

#include "GifWriter.h"

#include <QString>

#include <array>

// Writes a design's three title pictures (Image10..12), one below the
// other as the attract screen stacks them on a field `clientHeight` high.
// Where the red score lines travel, every colour is brought to the nearest
// one they stay readable over, so a design draws freely and still passes.
void WriteTitles(const QString &dir, int clientHeight, std::array<TGifFrames, 3> titles);
