#include "gif/GifImage.h"

#include "RawGif.h"
#include "support/TempDir.h"

#include <QBuffer>
#include <QImageReader>

#include <gtest/gtest.h>

namespace {

const QVector<QRgb> kGlobal = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(9, 9, 9)};
const QVector<QRgb> kLocal = {qRgb(10, 20, 30), qRgb(200, 100, 50)};

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

// Two frames: a full 3 x 2 one on the global table, then a 2 x 2 one at
// (1, 1) on its own table with index 1 see-through.
QByteArray TwoFrameGif(bool terminator = true)
{
    TRawFrame first;
    first.Width = 3;
    first.Height = 2;
    first.Indices = Bytes({0, 1, 2, 3, 2, 1});
    first.Delay = 7;
    first.Disposal = 1;
    TRawFrame second;
    second.Left = 1;
    second.Top = 1;
    second.Width = 2;
    second.Height = 2;
    second.Indices = Bytes({0, 1, 1, 0});
    second.Local = kLocal;
    second.Transparent = 1;
    second.Delay = 12;
    second.Disposal = 2;
    return RawGif(4, 3, kGlobal, {first, second}, 0, terminator);
}

std::string ErrorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const EGifError &e) {
        return e.what();
    }
    return "no error";
}

} // namespace

TEST(GifReading, GivesEveryFrameWithOffsetDelayDisposalAndTransparency)
{
    const TGifImage gif = TGifImage::FromBytes(TwoFrameGif(), "two.gif");
    ASSERT_EQ(gif.FrameCount(), 2);
    EXPECT_EQ(gif.Size(), QSize(4, 3));
    EXPECT_EQ(gif.LoopCount(), 0);

    const TGifFrame &first = gif.Frame(0);
    EXPECT_EQ(first.Offset, QPoint(0, 0));
    EXPECT_EQ(first.Size, QSize(3, 2));
    EXPECT_EQ(first.Delay, 7);
    EXPECT_EQ(first.Disposal, 1);
    EXPECT_EQ(first.TransparentIndex, -1);
    EXPECT_EQ(first.Image.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(first.Image.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(first.Image.pixel(2, 0), qRgb(0, 0, 255));
    EXPECT_EQ(first.Image.pixel(0, 1), qRgb(9, 9, 9));

    const TGifFrame &second = gif.Frame(1);
    EXPECT_EQ(second.Offset, QPoint(1, 1));
    EXPECT_EQ(second.Delay, 12);
    EXPECT_EQ(second.Disposal, 2);
    EXPECT_EQ(second.TransparentIndex, 1);
    EXPECT_EQ(second.TransparentColor, qRgb(200, 100, 50));
    EXPECT_EQ(second.Palette, kLocal);
    EXPECT_EQ(second.Image.pixel(0, 0), qRgb(10, 20, 30));
    EXPECT_EQ(qAlpha(second.Image.pixel(1, 0)), 0);
    EXPECT_EQ(qAlpha(second.Image.pixel(0, 1)), 0);
}

TEST(GifReading, PutsInterlacedRowsInTheirPlaces)
{
    TRawFrame frame;
    frame.Width = 1;
    frame.Height = 9;
    frame.Interlaced = true;
    frame.Indices = Bytes({0, 1, 2, 3, 0, 1, 2, 3, 0});
    const TGifImage gif = TGifImage::FromBytes(RawGif(1, 9, kGlobal, {frame}), "i.gif");
    for (int y = 0; y < 9; ++y)
        EXPECT_EQ(gif.Frame(0).Image.pixel(0, y), kGlobal[y % 4] | 0xFF000000u) << "row " << y;
    EXPECT_TRUE(gif.Frame(0).Interlaced);
}

TEST(GifReading, AcceptsAMissingTerminatorAfterWholeFrames)
{
    const TGifImage gif = TGifImage::FromBytes(TwoFrameGif(false), "short.gif");
    EXPECT_EQ(gif.FrameCount(), 2);
}

TEST(GifReading, SizesAZeroScreenFromItsFrames)
{
    TRawFrame frame;
    frame.Left = 2;
    frame.Top = 1;
    frame.Width = 3;
    frame.Height = 2;
    frame.Indices = Bytes({0, 0, 0, 1, 1, 1});
    const TGifImage gif = TGifImage::FromBytes(RawGif(0, 0, kGlobal, {frame}), "z.gif");
    EXPECT_EQ(gif.Size(), QSize(5, 3));
}

TEST(GifReading, DamagedDataGivesAnErrorNamingTheFile)
{
    const QByteArray whole = TwoFrameGif();
    // Cut inside the second frame's pixel data.
    const std::string cut = ErrorOf([&] { TGifImage::FromBytes(whole.left(whole.size() - 6), "cut.gif"); });
    EXPECT_NE(cut.find("cut.gif"), std::string::npos) << cut;

    const std::string notGif = ErrorOf([] { TGifImage::FromBytes("PNG? no", "text.gif"); });
    EXPECT_NE(notGif.find("text.gif"), std::string::npos) << notGif;
    EXPECT_NE(notGif.find("not a GIF"), std::string::npos) << notGif;

    const std::string empty = ErrorOf([] { TGifImage::FromBytes(QByteArray(), "empty.gif"); });
    EXPECT_NE(empty.find("empty.gif"), std::string::npos) << empty;

    QByteArray noFrames = RawGif(4, 3, kGlobal, {});
    const std::string none = ErrorOf([&] { TGifImage::FromBytes(noFrames, "none.gif"); });
    EXPECT_NE(none.find("no frame"), std::string::npos) << none;

    TRawFrame noTable;
    noTable.Width = noTable.Height = 1;
    noTable.Indices = Bytes({0});
    const std::string table = ErrorOf([&] { TGifImage::FromBytes(RawGif(1, 1, {}, {noTable}), "t.gif"); });
    EXPECT_NE(table.find("colour table"), std::string::npos) << table;
}

TEST(GifReading, MissingFileGivesAnErrorNamingIt)
{
    const std::string message = ErrorOf([] { TGifImage::FromFile("/nonexistent/missing.gif"); });
    EXPECT_NE(message.find("missing.gif"), std::string::npos) << message;
}

TEST(GifReading, RefusesAbsurdScreensAndFramesBeforeAllocating)
{
    // Only the header claims the size; a decoder that allocated first would need 14 GB.
    TRawFrame small;
    small.Width = small.Height = 1;
    small.Indices = Bytes({0});
    const std::string screen = ErrorOf([&] { TGifImage::FromBytes(RawGif(60000, 60000, kGlobal, {small}), "huge.gif"); });
    EXPECT_NE(screen.find("huge.gif"), std::string::npos) << screen;
    EXPECT_NE(screen.find("too large"), std::string::npos) << screen;

    QByteArray frame = RawGif(10, 10, kGlobal, {small});
    // Patch the frame descriptor to claim 10000 x 10000 (100 M pixels, each side allowed).
    const qsizetype desc = frame.indexOf(',', 13 + 12);
    ASSERT_GT(desc, 0);
    frame[desc + 5] = char(10000 & 0xFF);
    frame[desc + 6] = char(10000 >> 8);
    frame[desc + 7] = char(10000 & 0xFF);
    frame[desc + 8] = char(10000 >> 8);
    const std::string big = ErrorOf([&] { TGifImage::FromBytes(frame, "bigframe.gif"); });
    EXPECT_NE(big.find("bigframe.gif"), std::string::npos) << big;
    EXPECT_NE(big.find("too large"), std::string::npos) << big;

    EXPECT_TRUE(TGifImage::IsAbsurdSize(16385, 1));
    EXPECT_TRUE(TGifImage::IsAbsurdSize(1, 16385));
    EXPECT_FALSE(TGifImage::IsAbsurdSize(16384, 4096));
    EXPECT_TRUE(TGifImage::IsAbsurdSize(16384, 4097));
}

TEST(GifReading, RefusesEndlessFrameLists)
{
    TRawFrame tiny;   // a one-pixel frame costs a few bytes in the file
    tiny.Width = tiny.Height = 1;
    tiny.Indices = Bytes({1});
    std::vector<TRawFrame> frames(TGifImage::MaxFrames + 1, tiny);
    const std::string message = ErrorOf([&] { TGifImage::FromBytes(RawGif(1, 1, kGlobal, frames), "many.gif"); });
    EXPECT_NE(message.find("many.gif"), std::string::npos) << message;
    EXPECT_NE(message.find("frames"), std::string::npos) << message;
}

TEST(GifReading, PictureWithoutPixelsIsDamaged)
{
    TRawFrame none;
    TRawFrame line;
    line.Width = 3;
    line.Indices = Bytes({});
    TRawFrame pixel;
    pixel.Width = pixel.Height = 1;
    pixel.Indices = Bytes({0});
    const std::vector<std::vector<TRawFrame>> cases = {{none, none}, {pixel, line}};
    for (const auto &frames : cases) {
        const std::string message = ErrorOf([&] { TGifImage::FromBytes(RawGif(2, 2, kGlobal, frames), "e.gif"); });
        EXPECT_NE(message.find("e.gif"), std::string::npos) << message;
        EXPECT_NE(message.find("no pixels"), std::string::npos) << message;
    }

    TGifImage built(2, 2, kGlobal);
    EXPECT_THROW(built.AddFrame(0, 0, 0, 0, {}), EGifError);
    EXPECT_THROW(built.AddFrame(0, 0, 2, 0, {}), EGifError);
    EXPECT_EQ(built.FrameCount(), 0);
}

TEST(GifWriting, UnchangedPictureIsWrittenBackByteForByte)
{
    TempDir dir;
    const QByteArray original = TwoFrameGif();
    const TGifImage gif = TGifImage::FromBytes(original, "two.gif");
    gif.SaveToFile(dir.File("copy.gif"));
    EXPECT_EQ(dir.Read("copy.gif"), original);
}

TEST(GifWriting, RoundTripKeepsFramesOffsetsDelaysDisposalTransparencyAndLoop)
{
    TGifImage built(6, 5, kGlobal);
    built.SetLoopCount(3);
    built.AddFrame(0, 0, 2, 2, Bytes({0, 1, 2, 3}), {}, -1, 10, 1);
    built.AddFrame(3, 2, 3, 3, Bytes({0, 1, 0, 1, 0, 1, 0, 1, 0}), kLocal, 0, 25, 2);

    TempDir dir;
    const QString path = dir.File("built.gif");
    built.SaveToFile(path);
    const TGifImage read = TGifImage::FromFile(path);

    ASSERT_EQ(read.FrameCount(), 2);
    EXPECT_EQ(read.Size(), QSize(6, 5));
    EXPECT_EQ(read.LoopCount(), 3);
    for (int i = 0; i < 2; ++i) {
        const TGifFrame &a = built.Frame(i);
        const TGifFrame &b = read.Frame(i);
        EXPECT_EQ(b.Offset, a.Offset) << i;
        EXPECT_EQ(b.Size, a.Size) << i;
        EXPECT_EQ(b.Delay, a.Delay) << i;
        EXPECT_EQ(b.Disposal, a.Disposal) << i;
        EXPECT_EQ(b.TransparentIndex, a.TransparentIndex) << i;
        EXPECT_EQ(b.Indices, a.Indices) << i;
        EXPECT_EQ(b.Image, a.Image) << i;
    }
    EXPECT_EQ(qAlpha(read.Frame(1).Image.pixel(0, 0)), 0);
    EXPECT_EQ(read.Frame(1).Image.pixel(1, 0), qRgb(200, 100, 50));
}

TEST(GifWriting, EncodedFileIsReadByAnotherDecoder)
{
    TGifImage built(3, 1, kGlobal);
    built.AddFrame(0, 0, 3, 1, Bytes({2, 1, 0}));
    built.AddFrame(0, 0, 3, 1, Bytes({0, 0, 3}), {}, -1, 5, 1);
    QByteArray bytes = built.Encode();
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "gif");
    EXPECT_EQ(reader.imageCount(), 2);
    const QImage first = reader.read();
    ASSERT_FALSE(first.isNull()) << reader.errorString().toStdString();
    EXPECT_EQ(first.pixel(0, 0) | 0xFF000000u, qRgb(0, 0, 255));
    EXPECT_EQ(first.pixel(2, 0) | 0xFF000000u, qRgb(255, 0, 0));
}

TEST(GifWriting, InterlacedFramesSurviveTheRoundTrip)
{
    TRawFrame frame;
    frame.Width = 2;
    frame.Height = 11;
    frame.Interlaced = true;
    for (int i = 0; i < 22; ++i)
        frame.Indices.append(char((i * 7) % 4));
    const QByteArray original = RawGif(2, 11, kGlobal, {frame});
    TGifImage changed = TGifImage::FromBytes(original, "i.gif");
    changed.SetLoopCount(5);   // a change, so the frames are encoded afresh
    const QByteArray encoded = changed.Encode();
    EXPECT_NE(encoded, original);
    const TGifImage again = TGifImage::FromBytes(encoded, "again.gif");
    EXPECT_TRUE(again.Frame(0).Interlaced);
    EXPECT_EQ(again.LoopCount(), 5);
    EXPECT_EQ(again.Frame(0).Indices, frame.Indices);
}

TEST(GifWriting, WrittenFileReadsBackWithIndicesBeyondTheTableAndMixedTables)
{
    // Readers take indices beyond a two-colour table (drawn black) when the
    // code size allows them; writing must keep them.
    TRawFrame beyond;
    beyond.Width = 4;
    beyond.Height = 1;
    beyond.Indices = Bytes({0, 1, 4, 5});
    beyond.CodeSize = 3;
    TRawFrame local = beyond;
    local.Local = kLocal;
    TGifImage read = TGifImage::FromBytes(RawGif(4, 1, {qRgb(1, 2, 3), qRgb(4, 5, 6)}, {beyond, local}), "b.gif");
    read.SetLoopCount(0);   // a change, so the frames are encoded afresh
    const TGifImage again = TGifImage::FromBytes(read.Encode(), "again.gif");
    ASSERT_EQ(again.FrameCount(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(again.Frame(i).Indices, beyond.Indices) << i;
        EXPECT_EQ(again.Frame(i).Image, read.Frame(i).Image) << i;
    }

    // A frame with its own table, then one on the global table (a leak under the sanitizer).
    TGifImage mixed(2, 1, kGlobal);
    mixed.AddFrame(0, 0, 2, 1, Bytes({1, 0}), kLocal);
    mixed.AddFrame(0, 0, 2, 1, Bytes({3, 2}));
    const TGifImage back = TGifImage::FromBytes(mixed.Encode(), "mixed.gif");
    ASSERT_EQ(back.FrameCount(), 2);
    EXPECT_EQ(back.Frame(0).Image.pixel(0, 0), qRgb(200, 100, 50));
    EXPECT_EQ(back.Frame(1).Image.pixel(0, 0), qRgb(9, 9, 9));
}

TEST(GifBuilding, RefusesFramesThatDoNotFitTheirTableOrSize)
{
    TGifImage gif(4, 4, kGlobal);
    EXPECT_THROW(gif.AddFrame(0, 0, 2, 2, Bytes({0, 1, 2})), EGifError);
    EXPECT_THROW(gif.AddFrame(0, 0, 1, 1, Bytes({4})), EGifError);
    TGifImage noTable(4, 4);
    EXPECT_THROW(noTable.AddFrame(0, 0, 1, 1, Bytes({0})), EGifError);
    EXPECT_THROW(TGifImage(20000, 2), EGifError);
    EXPECT_EQ(gif.FrameCount(), 0);
}

TEST(GifBuilding, FromImageKeepsColoursAndMakesSeeThroughPixelsTransparent)
{
    QImage image(3, 2, QImage::Format_ARGB32);
    image.fill(qRgb(1, 2, 3));
    image.setPixel(1, 0, qRgb(250, 0, 0));
    image.setPixel(2, 1, qRgba(0, 0, 0, 0));
    const TGifImage gif = TGifImage::FromBytes(TGifImage::FromImage(image).Encode(), "x.gif");
    ASSERT_EQ(gif.FrameCount(), 1);
    const QImage &out = gif.Frame(0).Image;
    EXPECT_EQ(out.pixel(0, 0), qRgb(1, 2, 3));
    EXPECT_EQ(out.pixel(1, 0), qRgb(250, 0, 0));
    EXPECT_EQ(qAlpha(out.pixel(2, 1)), 0);
}

TEST(GifBuilding, FromImageReducesManyColoursToOneTable)
{
    QImage image(32, 32, QImage::Format_RGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            image.setPixel(x, y, qRgb(x * 8, y * 8, (x + y) * 4));
    const TGifImage gif = TGifImage::FromBytes(TGifImage::FromImage(image).Encode(), "many.gif");
    EXPECT_EQ(gif.Size(), QSize(32, 32));
    EXPECT_LE(gif.GlobalPalette().size(), 256);
}

TEST(GifReading, LargeFramesReadBackExactlyAndKeepNoIndicesUntilAsked)
{
    // Enough pixels and colours that the code table fills and restarts.
    QVector<QRgb> palette;
    for (int i = 0; i < 256; ++i)
        palette.append(qRgb(i, 255 - i, (i * 37) % 256));
    TGifImage built(310, 70, palette);
    QByteArray indices;
    for (int i = 0; i < 310 * 70; ++i)
        indices.append(char((i % 97 < 40) ? (i * 7919 / 13) % 256 : (i / 310) % 5));
    built.AddFrame(0, 0, 310, 70, indices, {}, 3);

    const TGifImage read = TGifImage::FromBytes(built.Encode(), "large.gif");
    EXPECT_EQ(read.DrawnFrame(0).Image, built.Frame(0).Image);
    EXPECT_TRUE(read.DrawnFrame(0).Indices.isEmpty());
    EXPECT_EQ(read.Frame(0).Indices, indices);
}

TEST(GifReading, LongRepeatingFramesReadBackExactly)
{
    // A patch of pattern, a long plain stretch, the patch again: its strings
    // come back long after they were last written.
    QVector<QRgb> palette;
    for (int i = 0; i < 16; ++i)
        palette.append(qRgb(i * 16, 0, 255 - i * 16));
    const int width = 640;
    const int height = 400;
    TGifImage built(width, height, palette);
    QByteArray indices;
    for (int i = 0; i < width * height; ++i)
        indices.append(char(i % 100000 < 3000 ? (i % 100000 * 7 / 3) % 13 : 15));
    built.AddFrame(0, 0, width, height, indices, {}, 3);

    const TGifImage read = TGifImage::FromBytes(built.Encode(), "long.gif");
    EXPECT_EQ(read.DrawnFrame(0).Image, built.Frame(0).Image);
    EXPECT_EQ(read.Frame(0).Indices, indices);
}
