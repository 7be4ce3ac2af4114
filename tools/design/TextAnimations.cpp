#include "TextAnimations.h"

#include <algorithm>
#include <iterator>

std::vector<QImage> TypedText(const QString &text, TTextStyle style, int flashes, const TTextStyle &flash)
{
    const QImage full = TextImage(text, style);
    std::vector<QImage> frames;
    for (int n = 1; n <= text.size(); ++n) {
        if (text.at(n - 1) == QLatin1Char(' '))
            continue;
        QImage f = BlankImage(full.width(), full.height());
        Blit(f, TextImage(text.left(n), style), 0, 0);
        frames.push_back(f);
    }
    for (int i = 0; i < flashes; ++i) {
        frames.push_back(TextImage(text, flash));
        frames.push_back(full);
    }
    return frames;
}

std::vector<QImage> DroppingText(const QString &text, const TTextStyle &style)
{
    const QImage full = TextImage(text, style);
    const int cell = TextCellWidth(style);
    const int offsets[] = {-full.height(), -full.height() * 2 / 3, -full.height() / 3, 0, -6, 0};
    const int steps = int(std::size(offsets));
    std::vector<QImage> frames;
    for (int f = 0; f < text.size() * 2 + steps - 2; ++f) {
        QImage img = BlankImage(full.width(), full.height());
        for (int i = 0; i < text.size(); ++i) {
            const int phase = f - i * 2;
            if (phase < 0)
                continue;
            const QImage letter = TextImage(QString(text.at(i)), style);
            Blit(img, letter, i * cell, offsets[std::min(phase, steps - 1)]);
        }
        frames.push_back(img);
    }
    return frames;
}

std::vector<QImage> StrikingText(const QString &text, const TTextStyle &dim, const TTextStyle &lit)
{
    const QImage dark = TextImage(text, dim), full = TextImage(text, lit);
    const int w = full.width(), h = full.height(), cell = TextCellWidth(lit);
    std::vector<QImage> frames;
    for (int s = 0; s < 3; ++s) {
        QImage img = BlankImage(w, h);
        if (s > 0)
            Blit(img, dark, 0, 0);
        // Zigzag bolt in 4-pixel blocks down the middle.
        int x = w / 2 + (s - 1) * cell;
        for (int y = 0; y < h; y += 4) {
            FillBlock(img, x - 2, y, 8, 4, qRgb(40, 40, 80));
            FillBlock(img, x, y, 4, 4, qRgb(255, 255, 160));
            x += (y / 8) % 2 ? 4 : -4;
        }
        frames.push_back(img);
    }
    for (int n = 1; n <= text.size(); ++n) {
        QImage img = dark.copy();
        QImage part = full.copy(0, 0, std::min(w, n * cell + lit.OutlineWidth), h);
        Blit(img, part, 0, 0);
        frames.push_back(img);
    }
    return frames;
}

std::vector<QImage> ArrivingRow(const std::vector<QImage> &items, int gap)
{
    int width = -gap, height = 0;
    for (const QImage &item : items)
        width += item.width() + gap, height = std::max(height, item.height());
    const int fall[] = {-height, -height * 2 / 3, -height / 3, 0, -4, 0};
    const int steps = int(std::size(fall));
    std::vector<QImage> frames;
    for (int f = 0; f < int(items.size()) * 2 + steps - 2; ++f) {
        QImage img = BlankImage(width, height);
        int x = 0;
        for (int i = 0; i < int(items.size()); ++i) {
            const int phase = f - i * 2;
            if (phase >= 0)
                Blit(img, items[i], x, height - items[i].height() + fall[std::min(phase, steps - 1)]);
            x += items[i].width() + gap;
        }
        frames.push_back(img);
    }
    return frames;
}
