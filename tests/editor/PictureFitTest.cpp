#include "editor/PictureFit.h"

#include "design/DesignFixture.h"

#include <gtest/gtest.h>

namespace {

QImage Blank(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::blue);
    return image;
}

} // namespace

TEST(PictureFit, LongerSideBecomesTheLimitAndHalvesRoundToEven)
{
    EXPECT_EQ(FittedSize(100, {300, 200}), QSize(100, 67));
    EXPECT_EQ(FittedSize(100, {200, 300}), QSize(67, 100));
    EXPECT_EQ(FittedSize(100, {50, 50}), QSize(100, 100));
    EXPECT_EQ(FittedSize(100, {200, 5}), QSize(100, 2));   // 2.5
    EXPECT_EQ(FittedSize(100, {200, 7}), QSize(100, 4));   // 3.5
    EXPECT_EQ(FittedSize(100, {1000, 1}), QSize(100, 1));  // never thinner than a pixel
}

TEST(PictureFit, FitBitmapOnlyShrinksFitGraphicAlsoGrows)
{
    EXPECT_EQ(FitBitmap(100, Blank(300, 200)).size(), QSize(100, 67));
    EXPECT_EQ(FitBitmap(100, Blank(90, 60)).size(), QSize(90, 60));
    EXPECT_EQ(FitGraphic(100, TPicture::FromImage(Blank(90, 60))).size(), QSize(100, 67));
}

TEST(PictureFit, ShrinkImageKeepsSmallPicturesAndTheKindOfLargeOnes)
{
    TempDir dir;
    TDesignRoot::WriteGif(dir.File("a.gif"), 40, 20, 3);
    TPicture gif = TPicture::FromGif(TGifImage::FromFile(dir.File("a.gif")));
    ShrinkImage(gif, 50);
    EXPECT_EQ(gif.FrameCount(), 3);
    ShrinkImage(gif, 10);
    EXPECT_TRUE(gif.IsGif());
    EXPECT_EQ(gif.Size(), QSize(10, 5));

    TPicture bitmap = TPicture::FromImage(Blank(300, 200));
    ShrinkImage(bitmap, 100);
    EXPECT_TRUE(bitmap.IsBitmap());
    EXPECT_EQ(bitmap.Size(), QSize(100, 67));
}
