// Writes a GIF from the frames held: every frame with its offset, local
// colour table, delay, disposal and transparency, plus the looping block.
#include "gif/GifImage.h"

#include <gif_lib.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

int WriteBytes(GifFileType *gif, const GifByteType *data, int count)
{
    static_cast<QByteArray *>(gif->UserData)->append(reinterpret_cast<const char *>(data), count);
    return count;
}

struct TMapDeleter
{
    void operator()(ColorMapObject *map) const { GifFreeMapObject(map); }
};
using TColorMap = std::unique_ptr<ColorMapObject, TMapDeleter>;

// giflib wants a power-of-two table. It also masks every index to the
// table's size, so a table is padded with black (what a reader shows for an
// index beyond its table) until it covers `highestIndex`.
TColorMap MakeMap(const QVector<QRgb> &palette, int highestIndex)
{
    if (palette.isEmpty())
        return nullptr;
    int count = 2;
    while (count < palette.size() || count <= highestIndex)
        count *= 2;
    std::vector<GifColorType> colours(std::size_t(count), GifColorType{0, 0, 0});
    for (int i = 0; i < palette.size(); ++i)
        colours[std::size_t(i)] = GifColorType{GifByteType(qRed(palette[i])),
                                               GifByteType(qGreen(palette[i])),
                                               GifByteType(qBlue(palette[i]))};
    return TColorMap(GifMakeMapObject(count, colours.data()));
}

int HighestIndex(const QByteArray &indices)
{
    const auto *data = reinterpret_cast<const uchar *>(indices.constData());
    return indices.isEmpty() ? 0 : *std::max_element(data, data + indices.size());
}

class TGifEncoder
{
public:
    explicit TGifEncoder(QByteArray &out)
    {
        int error = 0;
        mGif = EGifOpen(&out, WriteBytes, &error);
        if (!mGif)
            Fail(error);
        EGifSetGifVersion(mGif, true);
    }

    ~TGifEncoder()
    {
        if (mGif) {
            int error = 0;
            EGifCloseFile(mGif, &error);
        }
    }

    void Screen(int width, int height, int background, const QVector<QRgb> &palette,
                int highestIndex)
    {
        TColorMap map = MakeMap(palette, highestIndex);
        Check(EGifPutScreenDesc(mGif, width, height, 8, background, map.get()));
    }

    void Loop(int count)
    {
        if (count < 0)
            return;
        const GifByteType loop[3] = {1, GifByteType(count & 0xFF), GifByteType(count >> 8)};
        Check(EGifPutExtensionLeader(mGif, APPLICATION_EXT_FUNC_CODE));
        Check(EGifPutExtensionBlock(mGif, 11, "NETSCAPE2.0"));
        Check(EGifPutExtensionBlock(mGif, 3, loop));
        Check(EGifPutExtensionTrailer(mGif));
    }

    void Frame(const TGifFrame &frame)
    {
        GraphicsControlBlock control{};
        control.DisposalMode = frame.Disposal;
        control.UserInputFlag = false;
        control.DelayTime = frame.Delay;
        control.TransparentColor = frame.TransparentIndex;
        GifByteType extension[4];
        const size_t length = EGifGCBToExtension(&control, extension);
        Check(EGifPutExtension(mGif, GRAPHICS_EXT_FUNC_CODE, int(length), extension));

        const int width = frame.Size.width();
        const int height = frame.Size.height();
        TColorMap map = MakeMap(frame.Palette, HighestIndex(frame.Indices));
        // giflib drops the previous frame's own table without freeing it
        // when the next frame has none.
        if (!map && mGif->Image.ColorMap) {
            GifFreeMapObject(mGif->Image.ColorMap);
            mGif->Image.ColorMap = nullptr;
        }
        Check(EGifPutImageDesc(mGif, frame.Offset.x(), frame.Offset.y(), width, height,
                               frame.Interlaced, map.get()));
        // giflib masks the row in place, so it gets a copy.
        std::vector<GifPixelType> row(std::size_t(std::max(width, 1)));
        auto putRow = [&](int y) {
            const char *source = frame.Indices.constData() + qint64(y) * width;
            std::copy(source, source + width, row.begin());
            Check(EGifPutLine(mGif, row.data(), width));
        };
        if (frame.Interlaced) {
            static constexpr int start[] = {0, 4, 2, 1};
            static constexpr int step[] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass)
                for (int y = start[pass]; y < height; y += step[pass])
                    putRow(y);
        } else {
            for (int y = 0; y < height; ++y)
                putRow(y);
        }
    }

    void Finish()
    {
        int error = 0;
        GifFileType *gif = mGif;
        mGif = nullptr;
        if (EGifCloseFile(gif, &error) == GIF_ERROR)
            Fail(error);
    }

private:
    void Check(int result)
    {
        if (result == GIF_ERROR)
            Fail(mGif->Error);
    }

    [[noreturn]] static void Fail(int code)
    {
        const char *text = GifErrorString(code);
        throw EGifError(QStringLiteral("Cannot encode the GIF picture: %1.")
                            .arg(text ? QString::fromLatin1(text) : QString::number(code)));
    }

    GifFileType *mGif = nullptr;
};

} // namespace

QByteArray TGifImage::Encode() const
{
    if (!mOriginal.isEmpty())
        return mOriginal;
    if (mFrames.empty())
        throw EGifError(QStringLiteral("A GIF picture without frames cannot be written."));
    QByteArray out;
    TGifEncoder encoder(out);
    int highestGlobal = 0;
    for (const TGifFrame &frame : mFrames)
        if (frame.Palette.isEmpty())
            highestGlobal = std::max(highestGlobal, HighestIndex(frame.Indices));
    encoder.Screen(mWidth, mHeight, mBackgroundIndex, mGlobalPalette, highestGlobal);
    encoder.Loop(mLoopCount);
    for (const TGifFrame &frame : mFrames)
        encoder.Frame(frame);
    encoder.Finish();
    return out;
}
