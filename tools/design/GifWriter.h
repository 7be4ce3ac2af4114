#pragma once

#include <QImage>
#include <QString>

#include <vector>

// Writes frames of equal size as one GIF: every frame covers the whole
// logical screen, see-through pixels (alpha 0) become the transparent
// index, and all frames share one palette of at most 255 colours.
struct TGifFrames
{
    std::vector<QImage> Frames;
    int DelayHundredths = 10; // shown by ordinary viewers; the game counts ticks
    bool Loop = true;
};

void WriteGif(const QString &path, const TGifFrames &gif);
