#pragma once

#include "gif/GifImage.h"

#include <QImage>
#include <QString>

#include <memory>

class QPainter;

// What a sprite shows: nothing, a bitmap, or a GIF with one or more
// frames. A value type: copies share their pixels, which nobody changes.
class TPicture
{
public:
    TPicture() = default;

    // A bitmap. Its see-through colour is the bottom-left pixel's (white in
    // a two-colour bitmap); the keyed copy is made here, once.
    static TPicture FromImage(const QImage &image);
    static TPicture FromGif(TGifImage gif);

    bool IsEmpty() const { return !mGif && mOpaque.isNull(); }
    bool IsGif() const { return bool(mGif); }
    bool IsBitmap() const { return !mGif && !mOpaque.isNull(); }
    int Width() const;
    int Height() const;
    QSize Size() const { return {Width(), Height()}; }
    // The GIF's frame count; 0 for a bitmap or nothing.
    int FrameCount() const;
    const TGifImage *Gif() const { return mGif.get(); }
    // The bitmap as loaded, without its see-through colour applied.
    const QImage &Bitmap() const { return mOpaque; }

    // Draws with the top-left corner at (left, top). A GIF draws only the
    // given frame (kept within the frame count) at its offset, clipped to
    // its logical screen; `transparent` off shows the see-through colour.
    void Draw(QPainter &painter, int left, int top, int frame, bool transparent) const;
    // The bitmap, or the GIF's first frame on its logical screen (the rest
    // of the screen see-through).
    QImage ToImage() const;
    // ".gif" (in any case) writes a GIF with all frames, anything else a
    // BMP. Throws EPictureError when the file cannot be written.
    void SaveToFile(const QString &path) const;

private:
    QImage mOpaque;   // bitmap as loaded
    QImage mKeyed;    // bitmap with its see-through colour at alpha 0
    std::shared_ptr<const TGifImage> mGif;
};
