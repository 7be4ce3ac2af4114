#include "play/ScoreDisplay.h"

#include <gtest/gtest.h>

namespace {

bool LitAt(const QImage &image, int x, int y)
{
    return image.pixel(x, y) == TScoreDisplay::Lit();
}

// Which of the seven segments of the glyph whose cell starts at x0 are lit,
// by sampling one pixel of each: top, upper left, upper right, middle,
// lower left, lower right, bottom.
QString Segments(const QImage &image, int x0)
{
    const int probes[7][2] = {{4, 0}, {0, 4}, {9, 4}, {4, 9}, {1, 12}, {8, 15}, {7, 17}};
    QString lit;
    for (const auto &p : probes)
        lit += LitAt(image, x0 + p[0], p[1]) ? '1' : '0';
    return lit;
}

// Reads a composed score back by matching each cell against the glyphs.
QString ReadScore(const TScoreDisplay &display, const QImage &score)
{
    QString digits;
    for (int cell = 0; cell < 6; ++cell) {
        const QImage shown = score.copy(cell * 12, 0, 12, 18);
        int found = -1;
        for (int d = 0; d < 10 && found < 0; ++d) {
            QImage glyph = display.DigitsImg().copy(d * 12, 0, 12, 18);
            for (int y = 0; y < 18; ++y)
                glyph.setPixel(11, y, TScoreDisplay::Unlit()); // the gap column is not copied
            if (glyph == shown)
                found = d;
        }
        digits += found < 0 ? QChar('#') : QChar('0' + found);
    }
    return digits;
}

} // namespace

TEST(ScoreDisplay, DigitsStripHasExactSegmentsInGreenOnBlack)
{
    const TScoreDisplay display;
    const QImage &img = display.DigitsImg();
    ASSERT_EQ(img.size(), QSize(120, 18));
    // Digit 1 lights only the right uprights at x 8-9, rows 2-7 and 10-15.
    for (int y = 0; y < 18; ++y) {
        for (int x = 12; x < 24; ++x) {
            const bool expected = (x == 20 || x == 21) && ((y >= 2 && y <= 7) || (y >= 10 && y <= 15));
            EXPECT_EQ(LitAt(img, x, y), expected) << x << "," << y;
        }
    }
    EXPECT_EQ(img.pixel(12 * 8 + 2, 8), qRgb(0, 255, 0));  // middle bar of 8
    EXPECT_EQ(img.pixel(12 * 8 + 1, 1), qRgb(0, 0, 0));    // corners stay dark
    EXPECT_EQ(img.pixel(12 * 8 + 8, 8), qRgb(0, 0, 0));
    EXPECT_EQ(Segments(img, 0), "1110111");
    EXPECT_EQ(Segments(img, 12 * 2), "1011101");
    EXPECT_EQ(Segments(img, 12 * 4), "0111010");
    EXPECT_EQ(Segments(img, 12 * 6), "1101111");
    EXPECT_EQ(Segments(img, 12 * 7), "1010010");
    EXPECT_EQ(Segments(img, 12 * 9), "1111011");
}

TEST(ScoreDisplay, ComposesSixDigitsUnitsRightmost)
{
    const TScoreDisplay display;
    const QImage zero = display.ComposeScore(0);
    ASSERT_EQ(zero.size(), QSize(72, 18));
    EXPECT_EQ(ReadScore(display, zero), "000000");
    EXPECT_EQ(ReadScore(display, display.ComposeScore(4210)), "004210");
    EXPECT_EQ(ReadScore(display, display.ComposeScore(1234567)), "234567");
    EXPECT_EQ(ReadScore(display, display.ComposeScore(9876543)), "876543");
    // The twelfth column of each cell is never copied, so it stays black.
    const QImage eights = display.ComposeScore(888888);
    for (int cell = 0; cell < 6; ++cell)
        EXPECT_FALSE(LitAt(eights, cell * 12 + 11, 8));
}

TEST(ScoreDisplay, NegativeScoresShowTheirMagnitudeWithoutLeavingTheStrip)
{
    const TScoreDisplay display;
    EXPECT_EQ(ReadScore(display, display.ComposeScore(-123)), "000123");
    EXPECT_EQ(ReadScore(display, display.ComposeScore(INT32_MIN)), "483648");
}
