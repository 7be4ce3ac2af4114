#include "NeonArt.h"

#include "ArtEffects.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace Neon {

namespace {

constexpr int ShipW = 88, ShipH = 64;

QImage Glowing(int w, int h, QRgb hue, const std::function<void(QPainter &)> &draw, int radius = 3)
{
    return Glow(LineArt(w, h, draw), hue, Field, radius);
}

} // namespace

QImage Ship()
{
    return Glowing(ShipW, ShipH, Magenta, [](QPainter &p) {
        p.drawEllipse(QRect(8, 24, 71, 20));     // the rim
        p.drawArc(QRect(26, 8, 35, 34), 0, 180 * 16); // the dome
        p.drawLine(18, 34, 69, 34);
        for (int x : {24, 38, 50, 64})
            p.drawPoint(x, 39);
        p.drawLine(26, 44, 18, 56);
        p.drawLine(61, 44, 69, 56);
        p.drawLine(44, 45, 44, 55);
    });
}

std::vector<QImage> Creatures()
{
    std::vector<QImage> out;
    // A jellyfish with trailing arms.
    out.push_back(Glowing(ShipW, ShipH, Cyan, [](QPainter &p) {
        p.drawArc(QRect(20, 6, 47, 40), 0, 180 * 16);
        p.drawLine(20, 26, 67, 26);
        p.drawEllipse(QRect(33, 14, 5, 5));
        p.drawEllipse(QRect(50, 14, 5, 5));
        for (int i = 0; i < 5; ++i) {
            const int x = 24 + i * 10;
            p.drawLine(x, 27, x - 3, 38);
            p.drawLine(x - 3, 38, x + 2, 48);
            p.drawLine(x + 2, 48, x - 2, 56);
        }
    }));
    // A beetle with mandibles.
    out.push_back(Glowing(ShipW, ShipH, Lime, [](QPainter &p) {
        p.drawEllipse(QRect(24, 12, 39, 40));
        p.drawLine(44, 12, 44, 52);
        p.drawEllipse(QRect(34, 40, 19, 14));
        p.drawLine(36, 54, 30, 60);
        p.drawLine(51, 54, 57, 60);
        for (int y : {20, 30, 40}) {
            p.drawLine(24, y, 10, y - 6);
            p.drawLine(63, y, 77, y - 6);
        }
    }));
    // A bat, wings spread.
    out.push_back(Glowing(ShipW, ShipH, Amber, [](QPainter &p) {
        QPainterPath wing;
        wing.moveTo(44, 24);
        wing.lineTo(8, 10);
        wing.lineTo(14, 30);
        wing.lineTo(6, 44);
        wing.lineTo(24, 38);
        wing.lineTo(34, 50);
        wing.lineTo(44, 40);
        p.drawPath(wing);
        p.drawPath(QTransform(-1, 0, 0, 1, 88, 0).map(wing));
        p.drawEllipse(QRect(37, 20, 13, 20));
        p.drawPoint(41, 27);
        p.drawPoint(46, 27);
    }));
    // A three-eyed diamond.
    out.push_back(Glowing(ShipW, ShipH, Magenta, [](QPainter &p) {
        p.drawPolygon(QPolygon({QPoint(44, 4), QPoint(80, 30), QPoint(44, 58), QPoint(8, 30)}));
        p.drawPolygon(QPolygon({QPoint(44, 14), QPoint(66, 30), QPoint(44, 48), QPoint(22, 30)}));
        for (int x : {34, 44, 54})
            p.drawEllipse(QRect(x - 2, 28, 4, 4));
    }));
    out.push_back(Ship());
    return out;
}

QImage Canon()
{
    return Glowing(64, 40, Cyan, [](QPainter &p) {
        p.drawRect(30, 4, 3, 14);
        p.drawPolygon(QPolygon({QPoint(22, 18), QPoint(41, 18), QPoint(54, 30), QPoint(9, 30)}));
        p.drawLine(6, 34, 57, 34);
        p.drawEllipse(QRect(27, 22, 9, 5));
    });
}

QImage CanonLeft()
{
    return Glowing(36, 24, Cyan, [](QPainter &p) {
        p.drawLine(17, 3, 17, 9);
        // Narrow, glow included, so that spare cannons stand apart in their row.
        p.drawPolygon(QPolygon({QPoint(13, 10), QPoint(22, 10), QPoint(26, 18), QPoint(9, 18)}));
    }, 2);
}

QImage Home()
{
    return Glowing(96, 48, Lime, [](QPainter &p) {
        p.drawArc(QRect(12, 6, 71, 70), 0, 180 * 16);
        p.drawLine(6, 41, 89, 41);
        p.drawRect(40, 26, 15, 15);
        p.drawLine(28, 18, 66, 18);
        p.drawPoint(47, 10);
    });
}

std::vector<QImage> Bomb()
{
    std::vector<QImage> frames;
    for (int f = 0; f < 3; ++f)
        frames.push_back(Glowing(14, 20, Magenta, [f](QPainter &p) {
            p.drawEllipse(QRect(4, 4 + f, 5, 5));
            p.drawPoint(6, 13 + f);
        }, 2));
    return frames;
}

std::vector<QImage> Rocket()
{
    std::vector<QImage> frames;
    for (int f = 0; f < 2; ++f)
        frames.push_back(Glowing(10, 28, Cyan, [f](QPainter &p) {
            p.drawLine(4, 3, 4, 18);
            p.drawPoint(4, 21 + f * 2);
        }, 2));
    return frames;
}

std::vector<QImage> Burst(int width, int height, int frames, QRgb hue, QRgb second)
{
    std::vector<QImage> out;
    const double cx = width / 2.0, cy = height / 2.0, maxR = std::min(cx, cy) - 4;
    for (int f = 0; f < frames; ++f) {
        const double t = double(f + 1) / frames;
        const QRgb ring = Mix(hue, Field, t * 0.7), spark = Mix(second, Field, t * 0.7);
        QImage img = Glow(LineArt(width, height, [&](QPainter &p) {
            const double r = maxR * std::sqrt(t);
            p.drawEllipse(QPointF(cx, cy), r, r * 0.8);
            if (t < 0.6)
                p.drawEllipse(QPointF(cx, cy), r * 0.5, r * 0.4);
        }), ring, Field, 2);
        Blit(img, Glow(LineArt(width, height, [&](QPainter &p) {
            for (int s = 0; s < 10; ++s) {
                const double a = s * M_PI / 5 + 0.3;
                const double r0 = maxR * (0.2 + 0.8 * t), r1 = r0 + maxR * 0.18;
                p.drawLine(QPointF(cx + std::cos(a) * r0, cy + std::sin(a) * r0 * 0.8),
                           QPointF(cx + std::cos(a) * r1, cy + std::sin(a) * r1 * 0.8));
            }
        }), spark, Field, 1), 0, 0);
        out.push_back(img);
    }
    return out;
}

QImage TubeText(const QString &text, int scale, QRgb hue, QRgb field)
{
    const TTextStyle solid{scale, 1, qRgb(255, 255, 255), qRgb(255, 255, 255), qRgb(255, 255, 255), 0, 0, 0, 0};
    return Glow(Padded(EdgePixels(TextImage(text, solid)), 3), hue, field, 3);
}

} // namespace Neon
