#include "base/FileWriter.h"
#include "sprites/Picture.h"
#include "sprites/PictureReader.h"

#include "TestPictures.h"
#include "support/TempDir.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

QImage Canvas(int width, int height, QColor colour = Qt::black)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QImage DrawnOn(const TPicture &picture, QImage canvas, int left, int top, int frame,
               bool transparent = true)
{
    QPainter painter(&canvas);
    picture.Draw(painter, left, top, frame, transparent);
    painter.end();
    return canvas;
}

// A 3 x 2 GIF whose second frame is a 2 x 2 patch at (2, 1): half of it
// lies outside the screen, and its index 0 is see-through.
TPicture OffsetGif()
{
    const QVector<QRgb> table{qRgb(255, 0, 255), qRgb(10, 20, 30), qRgb(200, 0, 0)};
    TGifImage gif(3, 2, table);
    gif.AddFrame(0, 0, 3, 2, QByteArray(6, char(1)), {}, 0);
    gif.AddFrame(2, 1, 2, 2, QByteArray("\x02\x00\x02\x02", 4), {}, 0);
    return TPicture::FromGif(std::move(gif));
}

} // namespace

TEST(PictureBitmap, BottomLeftColourIsSeeThroughUnlessSwitchedOff)
{
    QImage image = SolidImage(3, 3, Qt::white);
    image.setPixel(1, 1, qRgb(0, 0, 200));
    image.setPixel(0, 2, qRgb(0, 200, 0));
    image.setPixel(2, 0, qRgb(0, 200, 0));
    const TPicture picture = TPicture::FromImage(image);
    EXPECT_TRUE(picture.IsBitmap());
    EXPECT_EQ(picture.FrameCount(), 0);
    EXPECT_EQ(picture.Size(), QSize(3, 3));

    const QImage keyed = DrawnOn(picture, Canvas(5, 5, Qt::red), 1, 1, 0);
    EXPECT_EQ(keyed.pixel(2, 2), qRgb(0, 0, 200));
    EXPECT_EQ(keyed.pixel(1, 3), QColor(Qt::red).rgb());   // the key colour itself
    EXPECT_EQ(keyed.pixel(3, 1), QColor(Qt::red).rgb());   // same colour elsewhere
    EXPECT_EQ(keyed.pixel(1, 1), qRgb(255, 255, 255));

    const QImage opaque = DrawnOn(picture, Canvas(5, 5, Qt::red), 1, 1, 0, false);
    EXPECT_EQ(opaque.pixel(1, 3), qRgb(0, 200, 0));
    EXPECT_EQ(opaque.pixel(3, 1), qRgb(0, 200, 0));
    EXPECT_EQ(picture.Bitmap().pixel(0, 2), qRgb(0, 200, 0));
}

TEST(PictureBitmap, TwoColourBitmapsSeeThroughWhite)
{
    QImage mono(4, 2, QImage::Format_Mono);
    mono.setColor(0, qRgb(0, 0, 0));
    mono.setColor(1, qRgb(255, 255, 255));
    mono.fill(0);
    mono.setPixel(3, 0, 1);
    const TPicture picture = TPicture::FromImage(mono);
    const QImage drawn = DrawnOn(picture, Canvas(4, 2, Qt::red), 0, 0, 0);
    EXPECT_EQ(drawn.pixel(0, 1), qRgb(0, 0, 0));           // bottom-left is black, still drawn
    EXPECT_EQ(drawn.pixel(3, 0), QColor(Qt::red).rgb());   // white is not
}

TEST(PictureGif, DrawsOnlyTheChosenFrameAtItsOffsetClippedToTheScreen)
{
    const TPicture picture = OffsetGif();
    EXPECT_TRUE(picture.IsGif());
    EXPECT_EQ(picture.FrameCount(), 2);
    EXPECT_EQ(picture.Size(), QSize(3, 2));

    const QImage second = DrawnOn(picture, Canvas(6, 6), 1, 1, 1);
    EXPECT_EQ(second.pixel(1, 1), qRgb(0, 0, 0));     // frame 0 is not under it
    EXPECT_EQ(second.pixel(3, 2), qRgb(200, 0, 0));   // the patch's top-left at (1+2, 1+1)
    EXPECT_EQ(second.pixel(4, 2), qRgb(0, 0, 0));     // outside the screen: clipped
    EXPECT_EQ(second.pixel(3, 3), qRgb(0, 0, 0));
    EXPECT_EQ(second.pixel(1 + 0, 1 + 0), qRgb(0, 0, 0));

    const QImage first = DrawnOn(picture, Canvas(6, 6), 1, 1, 0);
    EXPECT_EQ(first.pixel(1, 1), qRgb(10, 20, 30));
    EXPECT_EQ(first.pixel(3, 2), qRgb(10, 20, 30));
    EXPECT_EQ(first.pixel(4, 2), qRgb(0, 0, 0));
}

TEST(PictureGif, FrameIndexOutOfRangeIsKeptWithinTheFrames)
{
    const TPicture picture = OffsetGif();
    EXPECT_EQ(DrawnOn(picture, Canvas(6, 6), 0, 0, 99).pixel(2, 1), qRgb(200, 0, 0));
    EXPECT_EQ(DrawnOn(picture, Canvas(6, 6), 0, 0, -3).pixel(0, 0), qRgb(10, 20, 30));
}

TEST(PictureGif, TransparencyUsesTheGifsOwnColourUnlessSwitchedOff)
{
    const QVector<QRgb> table{qRgb(255, 0, 255), qRgb(1, 2, 3)};
    TGifImage gif(2, 1, table);
    gif.AddFrame(0, 0, 2, 1, QByteArray("\x00\x01", 2), {}, 0);
    const TPicture picture = TPicture::FromGif(std::move(gif));
    const QImage keyed = DrawnOn(picture, Canvas(2, 1, Qt::green), 0, 0, 0);
    EXPECT_EQ(keyed.pixel(0, 0), QColor(Qt::green).rgb());
    EXPECT_EQ(keyed.pixel(1, 0), qRgb(1, 2, 3));
    const QImage opaque = DrawnOn(picture, Canvas(2, 1, Qt::green), 0, 0, 0, false);
    EXPECT_EQ(opaque.pixel(0, 0), qRgb(255, 0, 255));
}

TEST(PictureGif, ToImageComposesTheFirstFrameOnTheScreen)
{
    const QImage image = OffsetGif().ToImage();
    EXPECT_EQ(image.size(), QSize(3, 2));
    EXPECT_EQ(image.pixel(2, 1), qRgb(10, 20, 30));
    EXPECT_TRUE(TPicture().ToImage().isNull());
    EXPECT_TRUE(TPicture().IsEmpty());
}

TEST(PictureSaving, GifKeepsAllFramesAndOtherNamesGiveABmp)
{
    TempDir dir;
    const TPicture gif = MakeGif(3, 5, 4);
    gif.SaveToFile(dir.File("anim.GIF"));
    const TPicture again = LoadPicture(dir.File("anim.GIF"));
    EXPECT_EQ(again.FrameCount(), 3);
    EXPECT_EQ(again.Gif()->Frame(2).Image.pixel(0, 0), FrameColour(2));

    QImage image = SolidImage(4, 3, Qt::yellow);
    image.setPixel(0, 2, qRgb(0, 0, 0));
    TPicture::FromImage(image).SaveToFile(dir.File("still.bmp"));
    const TPicture bmp = LoadPicture(dir.File("still.bmp"));
    EXPECT_TRUE(bmp.IsBitmap());
    EXPECT_EQ(bmp.Bitmap().pixel(1, 1), QColor(Qt::yellow).rgb());
    EXPECT_EQ(qAlpha(bmp.Bitmap().pixel(0, 2)), 255);

    // A bitmap saved as GIF keeps its colours.
    TPicture::FromImage(image).SaveToFile(dir.File("still.gif"));
    const TPicture fromGif = LoadPicture(dir.File("still.gif"));
    EXPECT_EQ(fromGif.FrameCount(), 1);
    EXPECT_EQ(fromGif.ToImage().pixel(2, 2), QColor(Qt::yellow).rgb());

    EXPECT_THROW(TPicture().SaveToFile(dir.File("none.bmp")), EPictureError);
    EXPECT_THROW(gif.SaveToFile(dir.File("no/such/folder/x.gif")), EWriteError);
}
