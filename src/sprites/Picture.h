#pragma once

#include "gif/GifImage.h"

#include <QImage>
#include <QString>

#include <memory>

class QPainter;
class TDeferredBitmap;

// What a sprite shows: nothing, a bitmap, or a GIF with one or more
// frames. A value type: copies share their pixels, which nobody changes.
class TPicture
{
public:
    TPicture() = default;

    // A bitmap. Its see-through colour is the bottom-left pixel's (white in
    // a two-colour bitmap); the copy with that colour keyed out is made
    // once, by PrepareKeyed or the first transparent Draw, and shared by
    // every copy of the picture.
    static TPicture FromImage(const QImage &image);
    static TPicture FromGif(TGifImage gif);
    // A bitmap read from its file only when it is first drawn.
    static TPicture FromDeferred(std::shared_ptr<const TDeferredBitmap> bitmap);
    // `source` with its see-through colour at alpha 0, as a transparent
    // draw shows it; only its top-left `kept` part when that is smaller.
    static QImage KeyOut(const QImage &source, QSize kept = {});

    bool IsEmpty() const { return !mGif && !mBitmap && !mDeferred; }
    bool IsGif() const { return bool(mGif); }
    bool IsBitmap() const { return mBitmap || mDeferred; }
    int Width() const;
    int Height() const;
    QSize Size() const { return {Width(), Height()}; }
    // The GIF's frame count; 0 for a bitmap or nothing.
    int FrameCount() const;
    const TGifImage *Gif() const { return mGif.get(); }
    // The same for every copy of this picture and for no other picture alive.
    const void *Identity() const
    {
        if (mGif)
            return mGif.get();
        if (mBitmap)
            return mBitmap.get();
        return mDeferred.get();
    }
    // The bitmap as loaded, without its see-through colour applied.
    const QImage &Bitmap() const;
    // Makes the keyed copy of a bitmap now, so that drawing never has to;
    // only for pictures that are drawn transparently.
    void PrepareKeyed() const;

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
    struct TBitmap
    {
        QImage Opaque;           // as loaded
        mutable QImage Keyed;    // see-through colour at alpha 0; null until needed
    };

    const QImage &Keyed() const;

    std::shared_ptr<const TBitmap> mBitmap;
    std::shared_ptr<const TGifImage> mGif;
    std::shared_ptr<const TDeferredBitmap> mDeferred;
};
