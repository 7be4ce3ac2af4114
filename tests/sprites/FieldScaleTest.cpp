#include "sprites/ui/FieldScale.h"
#include "sprites/ui/SpriteBox.h"

#include <QImage>

#include <gtest/gtest.h>

TEST(FieldScale, ChoosesTheLargestWholeFactorElseTheLargestFractionalOne)
{
    const QSize field(750, 460);
    // A 4K screen under a menu bar: 4 fits, 5 does not; centred.
    const TFieldScale fourK(field, QSize(3840, 2136));
    EXPECT_EQ(fourK.Factor(), 4);
    EXPECT_TRUE(fourK.Whole());
    EXPECT_EQ(fourK.DeviceRect(), QRect(420, 148, 3000, 1840));

    const TFieldScale exact(field, field);
    EXPECT_EQ(exact.Factor(), 1);
    EXPECT_EQ(exact.DeviceRect(), QRect(QPoint(0, 0), field));

    // Smaller than the field: the width limits, the height is letterboxed.
    const TFieldScale small(field, QSize(600, 400));
    EXPECT_FALSE(small.Whole());
    EXPECT_DOUBLE_EQ(small.Factor(), 0.8);
    EXPECT_EQ(small.DeviceRect(), QRect(0, 16, 600, 368));

    EXPECT_EQ(TFieldScale(QSize(), QSize(100, 100)).Factor(), 0);
    EXPECT_TRUE(TFieldScale(field, QSize(0, 10)).DeviceRect().isEmpty());
}

TEST(FieldScale, CountsInDevicePixelsOnHighDensityScreens)
{
    const QSize field(750, 460);
    // The window at the field's logical size is twice as many device pixels.
    const TFieldScale twice(field, field, 2.0);
    EXPECT_EQ(twice.Factor(), 2);
    EXPECT_EQ(twice.DeviceRect(), QRect(0, 0, 1500, 920));
    EXPECT_EQ(twice.TargetRect(), QRectF(0, 0, 750, 460));

    // 1.5: half device pixels are dropped, the field lands on whole ones.
    const TFieldScale oneAndHalf(field, QSize(1125, 690), 1.5);
    EXPECT_EQ(oneAndHalf.Factor(), 2);
    EXPECT_EQ(oneAndHalf.DeviceRect(), QRect(93, 57, 1500, 920));
    EXPECT_EQ(oneAndHalf.TargetRect(), QRectF(62, 38, 1000, 920 / 1.5));
}

TEST(FieldScale, BoxShowsItsFieldCrispAndLetterboxedWhileDrawingAtFieldSize)
{
    TSpriteBox box;
    box.SetFieldSize(QSize(2, 2));
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixel(1, 1, qRgb(255, 0, 0));
    box.SetImage(picture);
    box.resize(9, 4);
    box.Step();
    // The frame stays field-sized whatever the box's size.
    EXPECT_EQ(box.BackBuffer().size(), QSize(2, 2));

    QImage shown(9, 4, QImage::Format_RGB32);
    shown.fill(Qt::green);
    box.render(&shown);
    const QRgb w = qRgb(255, 255, 255), r = qRgb(255, 0, 0), k = qRgb(0, 0, 0);
    const QRgb expected[4][9] = {{k, k, w, w, w, w, k, k, k},
                                 {k, k, w, w, w, w, k, k, k},
                                 {k, k, w, w, r, r, k, k, k},
                                 {k, k, w, w, r, r, k, k, k}};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 9; ++x)
            EXPECT_EQ(shown.pixel(x, y), expected[y][x]) << x << "," << y;
}

TEST(FieldScale, FillingUsesTheWholeHeightOfCommonScreens)
{
    const QSize field(770, 550);
    for (const QSize screen : {QSize(1366, 768), QSize(1920, 1080)}) {
        const TFieldScale fill(field, screen, 1.0, TScaling::Fill);
        EXPECT_EQ(fill.DeviceRect().height(), screen.height()) << screen.width();
        EXPECT_FALSE(fill.Whole());
        EXPECT_EQ(TFieldScale(field, screen, 1.0, TScaling::WholeOnly).Factor(), 1);
    }
    // Below one field both shrink alike.
    EXPECT_EQ(TFieldScale(field, QSize(700, 500), 1.0, TScaling::Fill).DeviceRect(),
              TFieldScale(field, QSize(700, 500)).DeviceRect());
}
