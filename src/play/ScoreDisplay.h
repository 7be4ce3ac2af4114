#pragma once

#include <QImage>

#include <cstdint>

// The score drawn with seven-segment digit glyphs: a 120 x 18 strip holding
// the digits 0 to 9 in 12-pixel cells, from which six-digit scores are
// composed.
class TScoreDisplay
{
public:
    static constexpr int CellWidth = 12;
    static constexpr int GlyphWidth = 11;
    static constexpr int Height = 18;
    static constexpr int DigitCount = 6;
    static constexpr int ScoreWidth = 72;

    TScoreDisplay();

    const QImage &DigitsImg() const { return mDigitsImg; }
    // Six digits with leading zeros, units rightmost; higher digits are cut
    // off. A negative score shows the last six digits of its magnitude, as
    // the cells have no room for a sign.
    QImage ComposeScore(int32_t n) const;

    static QRgb Lit() { return qRgb(0, 255, 0); }
    static QRgb Unlit() { return qRgb(0, 0, 0); }

private:
    static QImage MakeDigits();

    QImage mDigitsImg;
};
