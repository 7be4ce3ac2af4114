// Reads GIF data frame by frame, so every size can be checked before the
// memory for it is taken.
#include "gif/GifImage.h"
#include "gif/GifLzwDecoder.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

struct TByteSource
{
    const char *Data = nullptr;
    qint64 Size = 0;
    qint64 Position = 0;
};

int ReadBytes(GifFileType *gif, GifByteType *buffer, int count)
{
    auto *source = static_cast<TByteSource *>(gif->UserData);
    const qint64 n = std::min<qint64>(count, source->Size - source->Position);
    if (n <= 0)
        return 0;
    std::memcpy(buffer, source->Data + source->Position, std::size_t(n));
    source->Position += n;
    return int(n);
}

struct TGifCloser
{
    void operator()(GifFileType *gif) const
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
using TGifHandle = std::unique_ptr<GifFileType, TGifCloser>;

QString Describe(int code)
{
    switch (code) {
    case D_GIF_ERR_NOT_GIF_FILE: return QStringLiteral("it is not a GIF file");
    case D_GIF_ERR_READ_FAILED:
    case D_GIF_ERR_EOF_TOO_SOON: return QStringLiteral("the data ends too soon");
    case D_GIF_ERR_NO_SCRN_DSCR: return QStringLiteral("its screen description is missing");
    case D_GIF_ERR_NO_IMAG_DSCR: return QStringLiteral("a frame description is missing");
    case D_GIF_ERR_WRONG_RECORD: return QStringLiteral("it holds a block of unknown kind");
    case D_GIF_ERR_DATA_TOO_BIG: return QStringLiteral("a frame holds more pixels than it declares");
    case D_GIF_ERR_IMAGE_DEFECT: return QStringLiteral("the image data is damaged");
    case D_GIF_ERR_NOT_ENOUGH_MEM: return QStringLiteral("there is not enough memory");
    default: {
        const char *text = GifErrorString(code);
        return text ? QString::fromLatin1(text) : QStringLiteral("error %1").arg(code);
    }
    }
}

QVector<QRgb> PaletteFrom(const ColorMapObject *map)
{
    QVector<QRgb> palette;
    if (!map || !map->Colors)
        return palette;
    const int count = std::clamp(map->ColorCount, 0, 256);
    palette.reserve(count);
    for (int i = 0; i < count; ++i)
        palette.append(qRgb(map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue));
    return palette;
}

} // namespace

class TGifDecoder
{
public:
    // Own: pixel data is expanded here, straight into the rows it ends in.
    // Library: by giflib, line by line; used for the rare data the own
    // expansion does not take as well formed, so such data reads as it always has.
    enum class TCodes { Own, Library };
    // Thrown when the own expansion meets data it does not take.
    struct TUnusualCodes {};

    TGifDecoder(const QByteArray &bytes, QString name, TCodes codes, bool indicesOnly)
        : mName(std::move(name)), mCodes(codes), mIndicesOnly(indicesOnly)
    {
        mSource.Data = bytes.constData();
        mSource.Size = bytes.size();
    }

    TGifImage Decode(const QByteArray &bytes)
    {
        int error = 0;
        mGif.reset(DGifOpen(&mSource, ReadBytes, &error));
        if (!mGif)
            Fail(Describe(error));
        if (mGif->SWidth < 0 || mGif->SHeight < 0
            || TGifImage::IsAbsurdSize(mGif->SWidth, mGif->SHeight))
            Fail(QStringLiteral("its size of %1 x %2 pixels is too large")
                     .arg(mGif->SWidth).arg(mGif->SHeight));
        mImage.mWidth = mGif->SWidth;
        mImage.mHeight = mGif->SHeight;
        mImage.mBackgroundIndex = mGif->SBackGroundColor;
        mImage.mGlobalPalette = PaletteFrom(mGif->SColorMap);

        ReadRecords();
        if (mImage.mFrames.empty())
            Fail(QStringLiteral("it holds no frame"));
        FitScreenToFrames();
        mImage.mOriginal = bytes;
        mImage.mIndicesDropped = !mIndicesOnly;
        return std::move(mImage);
    }

private:
    [[noreturn]] void Fail(const QString &what) const
    {
        throw EGifError(QStringLiteral("Cannot read the GIF picture \"%1\": %2.").arg(mName, what));
    }

    void ReadRecords()
    {
        for (;;) {
            GifRecordType type = UNDEFINED_RECORD_TYPE;
            if (DGifGetRecordType(mGif.get(), &type) == GIF_ERROR) {
                // Many programs leave off the final terminator; the frames before it are whole.
                if (!mImage.mFrames.empty() && mSource.Position >= mSource.Size)
                    return;
                Fail(Describe(mGif->Error));
            }
            switch (type) {
            case IMAGE_DESC_RECORD_TYPE: ReadFrame(); break;
            case EXTENSION_RECORD_TYPE: ReadExtension(); break;
            case TERMINATE_RECORD_TYPE: return;
            default: Fail(Describe(D_GIF_ERR_WRONG_RECORD));
            }
        }
    }

    void ReadExtension()
    {
        int code = 0;
        GifByteType *block = nullptr;
        if (DGifGetExtension(mGif.get(), &code, &block) == GIF_ERROR)
            Fail(Describe(mGif->Error));
        bool looping = false;
        if (block && code == GRAPHICS_EXT_FUNC_CODE) {
            GraphicsControlBlock control;
            if (DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK) {
                mControl = control;
                mHasControl = true;
            }
        } else if (block && code == APPLICATION_EXT_FUNC_CODE && block[0] == 11) {
            looping = std::memcmp(block + 1, "NETSCAPE2.0", 11) == 0
                      || std::memcmp(block + 1, "ANIMEXTS1.0", 11) == 0;
        }
        while (block) {
            if (DGifGetExtensionNext(mGif.get(), &block) == GIF_ERROR)
                Fail(Describe(mGif->Error));
            if (looping && block && block[0] >= 3 && block[1] == 1) {
                mImage.mLoopCount = block[2] | (block[3] << 8);
                looping = false;
            }
        }
    }

    void ReadFrame()
    {
        if (DGifGetImageDesc(mGif.get()) == GIF_ERROR)
            Fail(Describe(mGif->Error));
        const GifImageDesc &desc = mGif->Image;
        const int width = desc.Width;
        const int height = desc.Height;
        if (width < 0 || height < 0 || TGifImage::IsAbsurdSize(width, height))
            Fail(QStringLiteral("frame %1 of %2 x %3 pixels is too large")
                     .arg(mImage.mFrames.size() + 1).arg(width).arg(height));
        // Nothing could be drawn or hit; such frames only come from broken writers.
        if (width == 0 || height == 0)
            Fail(QStringLiteral("frame %1 has no pixels").arg(mImage.mFrames.size() + 1));

        TGifFrame frame;
        frame.Offset = QPoint(desc.Left, desc.Top);
        frame.Interlaced = desc.Interlace;
        frame.Palette = PaletteFrom(desc.ColorMap);
        if (frame.Palette.isEmpty() && mImage.mGlobalPalette.isEmpty())
            Fail(QStringLiteral("frame %1 has no colour table").arg(mImage.mFrames.size() + 1));
        if (mHasControl) {
            frame.Delay = mControl.DelayTime;
            frame.Disposal = mControl.DisposalMode;
            frame.TransparentIndex = mControl.TransparentColor;
            mHasControl = false;
        }
        mImage.ReserveFrame(width, height, mName);
        if (mIndicesOnly)
            ReadIndices(frame, width, height);
        else
            ReadImage(frame, width, height);
        ForgetSavedImages();
        mImage.PushFrame(std::move(frame), width, height);
    }

    // The library keeps a record of every frame described, growing its list
    // by one each time; we keep the frames ourselves, so it never holds more than one.
    void ForgetSavedImages()
    {
        GifFreeSavedImages(mGif.get());
        mGif->SavedImages = nullptr;
        mGif->ImageCount = 0;
    }

    void ReadIndices(TGifFrame &frame, int width, int height)
    {
        frame.Indices = QByteArray(qint64(width) * height, Qt::Uninitialized);
        if (frame.Indices.size() != qint64(width) * height)
            Fail(Describe(D_GIF_ERR_NOT_ENOUGH_MEM));
        char *out = frame.Indices.data();
        ReadRows(width, height, frame.Interlaced, [&](int y, const uchar *row) {
            std::memcpy(out + qint64(y) * width, row, std::size_t(width));
        });
    }

    // Each index becomes its drawn colour as its row arrives; no frame of indices is kept.
    void ReadImage(TGifFrame &frame, int width, int height)
    {
        QRgb table[256];
        TGifImage::DrawnColours(mImage.PaletteOf(frame), frame.TransparentIndex, table);
        frame.Image = TGifImage::NewFrameImage(width, height, mName);
        uchar *bits = frame.Image.bits();
        const qsizetype stride = frame.Image.bytesPerLine();
        if (mCodes == TCodes::Own && !frame.Interlaced && stride == qsizetype(width) * qsizetype(sizeof(QRgb))) {
            // Rows follow each other in the stream as in memory: colours go straight in.
            int codeSize = 0;
            const QByteArray data = ReadCodeBlocks(codeSize);
            if (!TGifLzwDecoder(codeSize, width, height)
                     .DecodeColours(reinterpret_cast<const uchar *>(data.constData()), data.size(), table,
                                    reinterpret_cast<QRgb *>(bits)))
                throw TUnusualCodes{};
            return;
        }
        ReadRows(width, height, frame.Interlaced, [&](int y, const uchar *row) {
            auto *line = reinterpret_cast<QRgb *>(bits + y * stride);
            for (int x = 0; x < width; ++x)
                line[x] = table[row[x]];
        });
    }

    // Calls `sink(y, indices)` for every row of the frame, in file order.
    template <class Sink>
    void ReadRows(int width, int height, bool interlaced, Sink sink)
    {
        const std::vector<int> order = RowOrder(height, interlaced);
        if (mCodes == TCodes::Library) {
            std::vector<GifPixelType> row(static_cast<std::size_t>(width));
            for (int y : order) {
                if (DGifGetLine(mGif.get(), row.data(), width) == GIF_ERROR)
                    Fail(Describe(mGif->Error));
                sink(y, row.data());
            }
            return;
        }
        int codeSize = 0;
        const QByteArray data = ReadCodeBlocks(codeSize);
        std::size_t next = 0;
        const TGifLzwDecoder codes(codeSize, width, height);
        if (!codes.Decode(reinterpret_cast<const uchar *>(data.constData()), data.size(),
                          [&](const uchar *row) { sink(order[next++], row); }))
            throw TUnusualCodes{};
    }

    // The frame's code stream, its sub-blocks joined.
    QByteArray ReadCodeBlocks(int &codeSize)
    {
        GifByteType *block = nullptr;
        if (DGifGetCode(mGif.get(), &codeSize, &block) == GIF_ERROR)
            throw TUnusualCodes{};
        QByteArray data;
        while (block) {
            data.append(reinterpret_cast<const char *>(block + 1), block[0]);
            if (DGifGetCodeNext(mGif.get(), &block) == GIF_ERROR)
                throw TUnusualCodes{};
        }
        return data;
    }

    static std::vector<int> RowOrder(int height, bool interlaced)
    {
        std::vector<int> order;
        order.reserve(std::size_t(height));
        if (!interlaced) {
            for (int y = 0; y < height; ++y)
                order.push_back(y);
            return order;
        }
        static constexpr int start[] = {0, 4, 2, 1};
        static constexpr int step[] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int y = start[pass]; y < height; y += step[pass])
                order.push_back(y);
        return order;
    }

    // Some writers leave the logical screen at 0 x 0; the frames then say how big it is.
    void FitScreenToFrames()
    {
        if (mImage.mWidth > 0 && mImage.mHeight > 0)
            return;
        int width = 0;
        int height = 0;
        for (const TGifFrame &frame : mImage.mFrames) {
            width = std::max(width, frame.Offset.x() + frame.Size.width());
            height = std::max(height, frame.Offset.y() + frame.Size.height());
        }
        if (TGifImage::IsAbsurdSize(width, height))
            Fail(QStringLiteral("its frames span %1 x %2 pixels, which is too large")
                     .arg(width).arg(height));
        mImage.mWidth = width;
        mImage.mHeight = height;
    }

    QString mName;
    TCodes mCodes;
    bool mIndicesOnly;
    TByteSource mSource;
    TGifHandle mGif;
    TGifImage mImage;
    GraphicsControlBlock mControl{};
    bool mHasControl = false;
};

TGifImage TGifImage::Decode(const QByteArray &bytes, const QString &name, bool indicesOnly)
{
    try {
        return TGifDecoder(bytes, name, TGifDecoder::TCodes::Own, indicesOnly).Decode(bytes);
    } catch (const TGifDecoder::TUnusualCodes &) {
        return TGifDecoder(bytes, name, TGifDecoder::TCodes::Library, indicesOnly).Decode(bytes);
    }
}

TGifImage TGifImage::FromBytes(const QByteArray &bytes, const QString &name)
{
    return Decode(bytes, name, false);
}

void TGifImage::RestoreIndices() const
{
    if (!mIndicesDropped)
        return;
    TGifImage again = Decode(mOriginal, QStringLiteral("GIF"), true);
    for (std::size_t i = 0; i < mFrames.size() && i < again.mFrames.size(); ++i)
        mFrames[i].Indices = std::move(again.mFrames[i].Indices);
    mIndicesDropped = false;
}
