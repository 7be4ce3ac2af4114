#pragma once

#include "gif/GifImage.h"
#include "sprites/Picture.h"

#include <QImage>

// Colours of the test GIFs: frame i is painted in FrameColour(i); index 0
// of the table is the see-through colour.
inline QRgb FrameColour(int frame)
{
    return qRgb(40 + frame * 20, 200 - frame * 20, 7);
}

// A GIF whose frames each fill the whole w x h screen with their colour.
inline TPicture MakeGif(int frames, int width = 4, int height = 3)
{
    QVector<QRgb> table{qRgb(255, 0, 255)};
    for (int i = 0; i < frames; ++i)
        table.append(FrameColour(i));
    TGifImage gif(width, height, table);
    for (int i = 0; i < frames; ++i)
        gif.AddFrame(0, 0, width, height, QByteArray(width * height, char(i + 1)), {}, 0);
    return TPicture::FromGif(std::move(gif));
}

inline QImage SolidImage(int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

inline TPicture SolidBitmap(int width, int height, QColor colour)
{
    return TPicture::FromImage(SolidImage(width, height, colour));
}

// A solid bitmap whose bottom-left pixel is magenta, so that only that
// corner is see-through.
inline TPicture KeyedBitmap(int width, int height, QColor colour)
{
    QImage image = SolidImage(width, height, colour);
    image.setPixel(0, height - 1, qRgb(255, 0, 255));
    return TPicture::FromImage(image);
}
