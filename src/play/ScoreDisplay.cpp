#include "play/ScoreDisplay.h"

#include <QPainter>

#include <array>

namespace {

enum Segment : unsigned {
    Top = 1, UpperLeft = 2, UpperRight = 4, Middle = 8, LowerLeft = 16, LowerRight = 32, Bottom = 64
};

constexpr std::array<unsigned, 10> DigitSegments = {
    Top | UpperLeft | UpperRight | LowerLeft | LowerRight | Bottom,
    UpperRight | LowerRight,
    Top | UpperRight | Middle | LowerLeft | Bottom,
    Top | UpperRight | Middle | LowerRight | Bottom,
    UpperLeft | UpperRight | Middle | LowerRight,
    Top | UpperLeft | Middle | LowerRight | Bottom,
    Top | UpperLeft | Middle | LowerLeft | LowerRight | Bottom,
    Top | UpperRight | LowerRight,
    Top | UpperLeft | UpperRight | Middle | LowerLeft | LowerRight | Bottom,
    Top | UpperLeft | UpperRight | Middle | LowerRight | Bottom,
};

struct TSegmentRect
{
    Segment segment;
    QRect rect; // within a cell; every bar is 2 pixels thick
};

constexpr int BarThickness = 2;

const std::array<TSegmentRect, 7> &SegmentRects()
{
    static const std::array<TSegmentRect, 7> rects = {{
        {Top, QRect(2, 0, 6, BarThickness)},
        {Middle, QRect(2, 8, 6, BarThickness)},
        {Bottom, QRect(2, 16, 6, BarThickness)},
        {UpperLeft, QRect(0, 2, BarThickness, 6)},
        {UpperRight, QRect(8, 2, BarThickness, 6)},
        {LowerLeft, QRect(0, 10, BarThickness, 6)},
        {LowerRight, QRect(8, 10, BarThickness, 6)},
    }};
    return rects;
}

} // namespace

TScoreDisplay::TScoreDisplay() : mDigitsImg(MakeDigits()) {}

QImage TScoreDisplay::MakeDigits()
{
    QImage image(10 * CellWidth, Height, QImage::Format_RGB32);
    image.fill(Unlit());
    for (int digit = 0; digit < 10; ++digit) {
        for (const TSegmentRect &seg : SegmentRects()) {
            if (DigitSegments[digit] & seg.segment) {
                const QRect r = seg.rect.translated(digit * CellWidth, 0);
                for (int y = r.top(); y <= r.bottom(); ++y)
                    for (int x = r.left(); x <= r.right(); ++x)
                        image.setPixel(x, y, Lit());
            }
        }
    }
    return image;
}

QImage TScoreDisplay::ComposeScore(int32_t n) const
{
    QImage image(ScoreWidth, Height, QImage::Format_RGB32);
    image.fill(Unlit());
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (int i = 0; i < DigitCount; ++i) {
        // The remainder of a negative number is negative; its magnitude is the digit.
        const int d = n % 10 < 0 ? -(n % 10) : n % 10;
        painter.drawImage(QPoint(60 - CellWidth * i, 0), mDigitsImg,
                          QRect(CellWidth * d, 0, GlyphWidth, Height));
        n /= 10;
    }
    return image;
}
