#include "PixelArt.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace {

using TGlyph = std::array<const char *, 7>;

const std::map<QChar, TGlyph> &Font()
{
    static const std::map<QChar, TGlyph> font = {
        {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
        {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
        {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
        {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
        {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
        {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
        {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".###."}},
        {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
        {'I', {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
        {'J', {"..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."}},
        {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
        {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
        {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
        {'N', {"#...#", "#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#"}},
        {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
        {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
        {'Q', {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"}},
        {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
        {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
        {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
        {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
        {'V', {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
        {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."}},
        {'X', {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}},
        {'Y', {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}},
        {'Z', {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"}},
        {'0', {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}},
        {'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
        {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
        {'3', {"####.", "....#", "....#", ".###.", "....#", "....#", "####."}},
        {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
        {'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
        {'6', {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."}},
        {'7', {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
        {'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
        {'9', {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."}},
        {'-', {".....", ".....", ".....", "#####", ".....", ".....", "....."}},
        {'!', {"..#..", "..#..", "..#..", "..#..", "..#..", ".....", "..#.."}},
        {'.', {".....", ".....", ".....", ".....", ".....", ".....", "..#.."}},
        {' ', {".....", ".....", ".....", ".....", ".....", ".....", "....."}},
    };
    return font;
}

bool GlyphPixel(QChar c, int x, int y)
{
    const auto it = Font().find(c.toUpper());
    if (it == Font().end())
        throw std::runtime_error("pixel font has no glyph for a character");
    return it->second[y][x] == '#';
}

} // namespace

QImage BlankImage(int width, int height)
{
    QImage img(width, height, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    return img;
}

QImage ArtImage(const std::vector<const char *> &rows, const TPalette &palette, int scale)
{
    const int h = int(rows.size());
    const int w = h ? int(std::strlen(rows[0])) : 0;
    QImage img = BlankImage(w * scale, h * scale);
    for (int y = 0; y < h; ++y) {
        if (int(std::strlen(rows[y])) != w)
            throw std::runtime_error("pixel art rows differ in length");
        for (int x = 0; x < w; ++x) {
            const char c = rows[y][x];
            if (c == '.' || c == ' ')
                continue;
            const auto it = palette.find(c);
            if (it == palette.end())
                throw std::runtime_error(std::string("pixel art uses an unknown colour: ") + c);
            FillBlock(img, x * scale, y * scale, scale, scale, it->second);
        }
    }
    return img;
}

void FillBlock(QImage &img, int x, int y, int w, int h, QRgb color)
{
    for (int yy = std::max(0, y); yy < std::min(img.height(), y + h); ++yy) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(yy));
        for (int xx = std::max(0, x); xx < std::min(img.width(), x + w); ++xx)
            line[xx] = color;
    }
}

void Blit(QImage &dst, const QImage &src, int x, int y)
{
    for (int sy = 0; sy < src.height(); ++sy) {
        const int dy = y + sy;
        if (dy < 0 || dy >= dst.height())
            continue;
        const auto *in = reinterpret_cast<const QRgb *>(src.constScanLine(sy));
        auto *out = reinterpret_cast<QRgb *>(dst.scanLine(dy));
        for (int sx = 0; sx < src.width(); ++sx) {
            const int dx = x + sx;
            if (dx >= 0 && dx < dst.width() && qAlpha(in[sx]) != 0)
                out[dx] = in[sx] | 0xFF000000u;
        }
    }
}

QImage MirrorRight(const QImage &leftHalf)
{
    QImage img = BlankImage(leftHalf.width() * 2, leftHalf.height());
    Blit(img, leftHalf, 0, 0);
    Blit(img, leftHalf.mirrored(true, false), leftHalf.width(), 0);
    return img;
}

int TextCellWidth(const TTextStyle &style)
{
    return (5 + style.Spacing) * style.Scale;
}

QImage TextImage(const QString &text, const TTextStyle &s)
{
    const int border = s.OutlineWidth + s.ShadowOffset;
    const int w = text.size() * TextCellWidth(s) - s.Spacing * s.Scale + 2 * s.OutlineWidth + s.ShadowOffset;
    const int h = 7 * s.Scale + 2 * s.OutlineWidth + s.ShadowOffset;
    QImage mask = BlankImage(w, h);
    QImage face = BlankImage(w, h);
    const int ox = s.OutlineWidth, oy = s.OutlineWidth;
    for (int i = 0; i < text.size(); ++i) {
        for (int gy = 0; gy < 7; ++gy) {
            for (int gx = 0; gx < 5; ++gx) {
                if (!GlyphPixel(text.at(i), gx, gy))
                    continue;
                const int x = ox + i * TextCellWidth(s) + gx * s.Scale;
                const int y = oy + gy * s.Scale;
                FillBlock(mask, x, y, s.Scale, s.Scale, 0xFFFFFFFFu);
                // Bevelled blocks read as chunky arcade letters.
                FillBlock(face, x, y, s.Scale, s.Scale, s.Dark);
                FillBlock(face, x, y, s.Scale - 1, s.Scale - 1, s.Fill);
                FillBlock(face, x, y, s.Scale - 1, 1, s.Light);
                FillBlock(face, x, y, 1, s.Scale - 1, s.Light);
            }
        }
    }
    QImage out = BlankImage(w, h);
    auto stamp = [&](int dx, int dy, QRgb color) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (qAlpha(mask.pixel(x, y)))
                    FillBlock(out, x + dx, y + dy, 1, 1, color);
    };
    if (s.Shadow)
        for (int d = 1; d <= s.ShadowOffset; ++d)
            stamp(d + s.OutlineWidth / 2, d + s.OutlineWidth / 2, s.Shadow);
    for (int dy = -s.OutlineWidth; dy <= s.OutlineWidth; ++dy)
        for (int dx = -s.OutlineWidth; dx <= s.OutlineWidth; ++dx)
            if (dx || dy)
                stamp(dx, dy, s.Outline);
    Blit(out, face, 0, 0);
    (void)border;
    return out;
}

QImage KeyedBitmap(const QImage &art, QRgb key)
{
    QImage bmp(art.size(), QImage::Format_RGB32);
    bmp.fill(key);
    Blit(bmp, art, 0, 0);
    for (int y = 0; y < art.height(); ++y)
        for (int x = 0; x < art.width(); ++x)
            if (qAlpha(art.pixel(x, y)) && (art.pixel(x, y) & 0xFFFFFF) == (key & 0xFFFFFF))
                throw std::runtime_error("picture uses its own see-through colour");
    if (qAlpha(art.pixel(0, art.height() - 1)) != 0)
        throw std::runtime_error("bottom-left pixel of a bitmap must be see-through");
    return bmp;
}
