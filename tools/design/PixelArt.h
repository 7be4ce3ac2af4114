#pragma once

#include <QColor>
#include <QImage>
#include <QString>

#include <cstdint>
#include <map>
#include <vector>

// Small drawing kit for the shipped designs: pixel art from text rows, a
// 5 x 7 pixel font, and a repeatable random source (no clock anywhere, so
// every build makes the same files).

using TPalette = std::map<char, QRgb>;

class TToolRandom
{
public:
    explicit TToolRandom(std::uint32_t seed) : mState(seed ? seed : 1u) {}
    std::uint32_t Next()
    {
        mState ^= mState << 13;
        mState ^= mState >> 17;
        mState ^= mState << 5;
        return mState;
    }
    int Below(int n) { return n <= 0 ? 0 : int(Next() % std::uint32_t(n)); }
    double Unit() { return (Next() & 0xFFFFFF) / double(0x1000000); }

private:
    std::uint32_t mState;
};

// Rows of characters, each a pixel; '.' and ' ' are see-through, any other
// character is looked up in `palette`. Every pixel becomes scale x scale.
QImage ArtImage(const std::vector<const char *> &rows, const TPalette &palette, int scale);
// A transparent ARGB image of the given size.
QImage BlankImage(int width, int height);
// Draws `src` onto `dst` at (x, y), keeping see-through pixels see-through.
void Blit(QImage &dst, const QImage &src, int x, int y);
void FillBlock(QImage &img, int x, int y, int w, int h, QRgb color);
// Mirrors a pixel-art half to make a symmetric picture.
QImage MirrorRight(const QImage &leftHalf);

struct TTextStyle
{
    int Scale = 4;        // font pixel size
    int Spacing = 1;      // font pixels between letters
    QRgb Fill = qRgb(255, 255, 255);
    QRgb Light = qRgb(255, 255, 255); // top-left bevel of each block
    QRgb Dark = qRgb(128, 128, 128);  // bottom-right bevel of each block
    QRgb Outline = qRgb(0, 0, 0);
    int OutlineWidth = 2; // pixels
    QRgb Shadow = 0;      // 0: none
    int ShadowOffset = 0;
};

// Renders capital letters, digits, " ", "-", "!" and "." in the pixel font.
QImage TextImage(const QString &text, const TTextStyle &style);
// Width of one glyph cell (letter plus spacing) in pixels.
int TextCellWidth(const TTextStyle &style);

// Replaces see-through pixels by `key` for a BMP, whose bottom-left pixel
// is its see-through colour; refuses art whose corner is not see-through.
QImage KeyedBitmap(const QImage &art, QRgb key);
