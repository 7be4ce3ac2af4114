#include "ArtEffects.h"

#include <algorithm>
#include <vector>

QRgb Mix(QRgb a, QRgb b, double t)
{
    auto mix = [t](int x, int y) { return int(x + (y - x) * t + 0.5); };
    return qRgb(mix(qRed(a), qRed(b)), mix(qGreen(a), qGreen(b)), mix(qBlue(a), qBlue(b)));
}

namespace {

// For every pixel its distance in steps (8 neighbours) to the nearest
// opaque pixel of `art`, up to `limit`; limit + 1 beyond.
std::vector<int> Distances(const QImage &art, int limit)
{
    const int w = art.width(), h = art.height();
    std::vector<int> d(std::size_t(w) * h, limit + 1);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (qAlpha(art.pixel(x, y)))
                d[std::size_t(y) * w + x] = 0;
    for (int step = 1; step <= limit; ++step) {
        std::vector<int> next = d;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = x + dx, ny = y + dy;
                        if (nx >= 0 && ny >= 0 && nx < w && ny < h && d[std::size_t(ny) * w + nx] == step - 1)
                            next[std::size_t(y) * w + x] = std::min(next[std::size_t(y) * w + x], step);
                    }
        d = std::move(next);
    }
    return d;
}

} // namespace

QImage Outlined(const QImage &art, QRgb colour, int width)
{
    QImage grown = BlankImage(art.width() + 2 * width, art.height() + 2 * width);
    Blit(grown, art, width, width);
    const std::vector<int> d = Distances(grown, width);
    QImage out = grown.copy();
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            if (d[std::size_t(y) * out.width() + x] >= 1 && d[std::size_t(y) * out.width() + x] <= width)
                out.setPixel(x, y, colour | 0xFF000000u);
    return out;
}

QImage Paled(const QImage &art, double t)
{
    QImage out = art.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            if (qAlpha(out.pixel(x, y)))
                out.setPixel(x, y, Mix(out.pixel(x, y), qRgb(255, 255, 255), t) | 0xFF000000u);
    return out;
}

QImage Glow(const QImage &lines, QRgb hue, QRgb field, int radius)
{
    const std::vector<int> d = Distances(lines, radius);
    QImage out = BlankImage(lines.width(), lines.height());
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            const int k = d[std::size_t(y) * out.width() + x];
            if (k > radius)
                continue;
            const QRgb c = k == 0 ? Mix(hue, qRgb(255, 255, 255), 0.6)
                         : k == 1 ? hue
                                  : Mix(hue, field, 0.35 + 0.5 * (k - 1) / std::max(1, radius - 1));
            out.setPixel(x, y, c | 0xFF000000u);
        }
    }
    return out;
}

QImage EdgePixels(const QImage &art)
{
    QImage out = BlankImage(art.width(), art.height());
    auto opaque = [&art](int x, int y) {
        return x >= 0 && y >= 0 && x < art.width() && y < art.height() && qAlpha(art.pixel(x, y));
    };
    for (int y = 0; y < art.height(); ++y)
        for (int x = 0; x < art.width(); ++x)
            if (opaque(x, y) && !(opaque(x - 1, y) && opaque(x + 1, y) && opaque(x, y - 1) && opaque(x, y + 1)))
                out.setPixel(x, y, art.pixel(x, y));
    return out;
}

QImage Padded(const QImage &art, int margin)
{
    QImage out = BlankImage(art.width() + 2 * margin, art.height() + 2 * margin);
    Blit(out, art, margin, margin);
    return out;
}

QImage LineArt(int width, int height, const std::function<void(QPainter &)> &draw)
{
    QImage out = BlankImage(width, height);
    QPainter p(&out);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(Qt::NoBrush);
    draw(p);
    p.end();
    return out;
}
