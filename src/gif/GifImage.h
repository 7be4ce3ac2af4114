#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QVector>

#include <stdexcept>
#include <vector>

// A GIF file or stream that cannot be read or written.
class EGifError : public std::runtime_error
{
public:
    explicit EGifError(const QString &message) : std::runtime_error(message.toStdString()) {}
};

// One frame of a GIF: its pixels as a ready image (what gets drawn) and as
// palette indices (what gets written back).
struct TGifFrame
{
    QImage Image;                // ARGB32_Premultiplied, the frame's own size
    QPoint Offset;               // within the logical screen
    QSize Size;                  // the frame's own size (Image is null when it is empty)
    int Delay = 0;               // hundredths of a second
    int Disposal = 0;            // 0 unspecified, 1 keep, 2 background, 3 previous
    int TransparentIndex = -1;   // -1: none
    QRgb TransparentColor = 0;   // the palette colour behind TransparentIndex, opaque
    bool Interlaced = false;
    QByteArray Indices;          // width * height palette indices, row by row (see DrawnFrame)
    QVector<QRgb> Palette;       // local colour table; empty: the global one
};

// A GIF held in memory with all its frames. Nothing here animates by
// itself: callers pick the frame they show.
class TGifImage
{
public:
    // Pictures bigger than this are refused before anything is allocated.
    static constexpr int MaxSide = 16384;
    static constexpr qint64 MaxPixels = 64LL * 1024 * 1024;
    // All frames of one GIF together (a 1 GiB ceiling of decoded pixels).
    static constexpr qint64 MaxTotalPixels = 256LL * 1024 * 1024;
    // Far beyond any real animation; keeps a file of empty frames from eating memory.
    static constexpr int MaxFrames = 65536;
    // No real picture comes near this; refusing keeps a stray file from exhausting memory.
    static constexpr qint64 MaxFileBytes = 512LL * 1024 * 1024;

    TGifImage() = default;
    // A new GIF with a logical screen of the given size and a global
    // colour table; add frames with AddFrame.
    TGifImage(int width, int height, QVector<QRgb> globalPalette = {});

    static TGifImage FromFile(const QString &path);
    // The pixels the frames of GIF data declare, read without decoding;
    // stops quietly where the data is damaged.
    static qint64 DeclaredPixels(const QByteArray &bytes);
    // `name` is what error messages call the data (usually its file).
    static TGifImage FromBytes(const QByteArray &bytes, const QString &name);
    // One frame made from any image; pixels with alpha below 128 become
    // the transparent colour. Colours beyond 255 are reduced.
    static TGifImage FromImage(const QImage &image);
    // An animation of frames of one size sharing one palette, each shown
    // for `delay` hundredths of a second; transparent as FromImage.
    static TGifImage FromImages(const std::vector<QImage> &images, int delay = 0);

    bool IsEmpty() const { return mFrames.empty(); }
    int Width() const { return mWidth; }
    int Height() const { return mHeight; }
    QSize Size() const { return {mWidth, mHeight}; }
    int FrameCount() const { return int(mFrames.size()); }
    // Everything about a frame. The indices of a GIF read from bytes are
    // decoded again from those bytes when a frame is first asked for here.
    const TGifFrame &Frame(int index) const;
    // A frame for drawing or measuring: its Indices may be empty.
    const TGifFrame &DrawnFrame(int index) const { return mFrames.at(std::size_t(index)); }
    const QVector<QRgb> &GlobalPalette() const { return mGlobalPalette; }
    // Repetitions from the looping extension: -1 none, 0 for ever.
    int LoopCount() const { return mLoopCount; }
    void SetLoopCount(int count);

    // Appends a frame given as indices; fills in its Image. Throws
    // EGifError when the frame does not fit its palette or size limits.
    void AddFrame(int left, int top, int width, int height, QByteArray indices,
                  QVector<QRgb> localPalette = {}, int transparentIndex = -1,
                  int delay = 0, int disposal = 0);

    // The GIF file's bytes: the bytes it was read from when unchanged,
    // otherwise a fresh encoding of every frame and extension.
    QByteArray Encode() const;
    // Replaces the file only once the whole GIF is written.
    void SaveToFile(const QString &path) const;

    // The palette for pictures with more colours than a GIF holds: a 6 x 7 x 6 cube.
    static QVector<QRgb> ColourCube();

    // Limits shared by every picture reader.
    static bool IsAbsurdSize(qint64 width, qint64 height);

private:
    friend class TGifDecoder;

    // Checks a frame's size against every limit and counts its pixels; before anything is allocated.
    void ReserveFrame(int width, int height, const QString &name);
    // A frame's image, or EGifError when there is no memory for it.
    static QImage NewFrameImage(int width, int height, const QString &name);
    // Appends a frame; fills in its size and transparent colour.
    void PushFrame(TGifFrame frame, int width, int height);
    const QVector<QRgb> &PaletteOf(const TGifFrame &frame) const;
    // What each index is drawn as: opaque colours, black beyond the table, the transparent one clear.
    static void DrawnColours(const QVector<QRgb> &palette, int transparentIndex, QRgb (&table)[256]);
    // Reads bytes into images, or into indices only (no images).
    static TGifImage Decode(const QByteArray &bytes, const QString &name, bool indicesOnly);
    // Puts the indices back into frames read without them (before any change drops the bytes).
    void RestoreIndices() const;

    int mWidth = 0;
    int mHeight = 0;
    int mBackgroundIndex = 0;
    int mLoopCount = -1;
    qint64 mTotalPixels = 0;
    QVector<QRgb> mGlobalPalette;
    // Frames read from bytes are drawn without their indices; they come back from mOriginal when asked.
    mutable std::vector<TGifFrame> mFrames;
    mutable bool mIndicesDropped = false;
    QByteArray mOriginal;   // the bytes read, kept while nothing changed
};
