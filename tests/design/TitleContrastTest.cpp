#include "DesignFixture.h"

#include "design/TitleContrast.h"
#include "sprites/Picture.h"

#include <gtest/gtest.h>

TEST(TitleContrast, ColoursPassOnlyWellAwayFromTheScoreLinesRed)
{
    EXPECT_TRUE(TTitleContrast::Readable(qRgb(255, 255, 255)));
    EXPECT_TRUE(TTitleContrast::Readable(qRgb(0, 0, 0)));
    EXPECT_TRUE(TTitleContrast::Readable(qRgb(238, 238, 238)));  // luminance 0.85
    EXPECT_TRUE(TTitleContrast::Readable(qRgb(50, 50, 50)));     // 0.032
    EXPECT_FALSE(TTitleContrast::Readable(qRgb(60, 60, 60)));    // 0.045
    EXPECT_FALSE(TTitleContrast::Readable(qRgb(128, 128, 128)));
    EXPECT_FALSE(TTitleContrast::Readable(qRgb(255, 0, 0)));
    EXPECT_FALSE(TTitleContrast::Readable(qRgb(40, 90, 225)));   // a bold blue
    EXPECT_NEAR(TTitleContrast::Ratio(qRgb(255, 255, 255), qRgb(0, 0, 0)), 21.0, 1e-9);
    EXPECT_EQ(TTitleContrast::TextTop(442), 40);
    EXPECT_EQ(TTitleContrast::TextTop(399), 30);
}

// Only what lies where the lines travel counts: a bitmap's see-through
// colour, a GIF's transparent pixels, and anything above the line are free.
TEST(TitleContrast, CountsOpaquePixelsAtOrBelowTheLineInEveryFrame)
{
    QImage bitmap(8, 20, QImage::Format_RGB32);
    bitmap.fill(qRgb(255, 0, 0));                       // the see-through colour
    bitmap.setPixel(1, 2, qRgb(128, 128, 128));
    bitmap.setPixel(2, 12, qRgb(0, 0, 0));
    const TPicture still = TPicture::FromImage(bitmap);
    EXPECT_EQ(TTitleContrast::FailingPixels(still, 3), 0);
    EXPECT_EQ(TTitleContrast::FailingPixels(still, 2), 1);

    TGifImage gif(10, 10, {qRgb(255, 255, 255), qRgb(200, 0, 0)});
    gif.AddFrame(0, 0, 10, 10, QByteArray(100, char(0)), {}, 1);
    QByteArray red(4, char(1));
    gif.AddFrame(2, 6, 2, 2, red, {}, 0);               // a late frame, low down
    const TPicture animated = TPicture::FromGif(gif);
    EXPECT_EQ(TTitleContrast::FailingPixels(animated, 7), 2);
    EXPECT_EQ(TTitleContrast::FailingPixels(animated, 8), 0);
}

TEST(TitleContrast, FindsTheTitlePicturesAsTheAttractScreenStacksThem)
{
    TDesignRoot root;
    root.MakeDefault();
    const QString dir = root.Dir(QStringLiteral("T"));
    // The tiny Default field is 294 high: the lines vanish at row 20.
    TDesignRoot::WriteBmp(dir + QStringLiteral("Image10.bmp"), 60, 20, qRgb(200, 0, 0));
    QImage pale(60, 30, QImage::Format_RGB32);
    pale.fill(qRgb(255, 255, 255));
    pale.setPixel(30, 10, qRgb(100, 100, 100));
    pale.save(dir + QStringLiteral("Image11.bmp"), "BMP");
    TDesignRoot::WriteBmp(dir + QStringLiteral("Image12.bmp"), 60, 30, qRgb(0, 0, 40));
    TGamePar par(root.Root());
    par.Load(QStringLiteral("T"));
    ASSERT_EQ(TTitleContrast::TextTop(int(par.LayoutNumbers().ClientHeight)), 20);
    EXPECT_EQ(TTitleContrast::FailingPictures(par), std::vector<int>{11});
}
