#include "ReefArt.h"

#include "ArtEffects.h"

#include <QPainterPath>

#include <cmath>

namespace Reef {

namespace {

// Drawn small with hard edges, then blown up: pixel art with round shapes.
QImage Chunky(int width, int height, int scale, const std::function<void(QPainter &)> &draw)
{
    QImage small = BlankImage(width, height);
    QPainter p(&small);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    draw(p);
    p.end();
    return small.scaled(width * scale, height * scale);
}

QImage Clownfish()
{
    return Chunky(24, 16, 4, [](QPainter &p) {
        p.setBrush(QColor(255, 120, 20));
        p.drawPolygon(QPolygon({QPoint(18, 8), QPoint(23, 3), QPoint(23, 13)}));
        p.drawPolygon(QPolygon({QPoint(9, 4), QPoint(13, 1), QPoint(15, 4)}));
        QPainterPath body;
        body.addEllipse(2, 4, 18, 9);
        p.drawPath(body);
        p.setClipPath(body);
        p.setBrush(QColor(250, 250, 250));
        p.drawRect(7, 0, 2, 16);
        p.drawRect(13, 0, 2, 16);
        p.setClipping(false);
        p.setBrush(QColor(20, 10, 10));
        p.drawRect(4, 7, 2, 2);
    });
}

QImage Jellyfish()
{
    return Chunky(24, 16, 4, [](QPainter &p) {
        p.setBrush(QColor(255, 140, 210));
        p.drawChord(5, 1, 14, 12, 0, 180 * 16);
        p.setBrush(QColor(255, 210, 240));
        p.drawRect(8, 4, 2, 1);
        p.drawRect(13, 3, 2, 1);
        p.setPen(QColor(230, 110, 200));
        for (int i = 0; i < 5; ++i) {
            const int x = 7 + i * 2 + (i > 2);
            p.drawLine(x, 7, x + (i % 2 ? 1 : -1), 11);
            p.drawLine(x + (i % 2 ? 1 : -1), 11, x, 14);
        }
    });
}

QImage Pufferfish()
{
    return Chunky(24, 16, 4, [](QPainter &p) {
        p.setPen(QColor(200, 150, 20));
        for (int a = 0; a < 360; a += 30) {
            const double r = a * M_PI / 180;
            p.drawLine(QPointF(11.5 + std::cos(r) * 5, 8 + std::sin(r) * 5),
                       QPointF(11.5 + std::cos(r) * 7.5, 8 + std::sin(r) * 7));
        }
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 220, 60));
        p.drawEllipse(5, 2, 13, 12);
        p.drawPolygon(QPolygon({QPoint(17, 8), QPoint(21, 5), QPoint(21, 11)}));
        p.setBrush(QColor(255, 250, 200));
        p.drawEllipse(7, 9, 8, 4);
        p.setBrush(QColor(20, 10, 10));
        p.drawRect(7, 6, 2, 2);
    });
}

QImage Shark()
{
    return Chunky(24, 16, 4, [](QPainter &p) {
        p.setBrush(QColor(120, 140, 170));
        p.drawPolygon(QPolygon({QPoint(1, 9), QPoint(6, 5), QPoint(16, 5), QPoint(23, 2), QPoint(21, 9),
                                QPoint(23, 14), QPoint(16, 12), QPoint(6, 12)}));
        p.drawPolygon(QPolygon({QPoint(9, 5), QPoint(12, 0), QPoint(14, 5)}));
        p.setBrush(QColor(230, 235, 245));
        p.drawPolygon(QPolygon({QPoint(2, 10), QPoint(6, 12), QPoint(15, 12), QPoint(12, 10)}));
        p.setBrush(QColor(10, 10, 20));
        p.drawRect(5, 7, 1, 1);
        p.drawRect(7, 10, 3, 1);
    });
}


} // namespace

std::vector<QImage> Fish()
{
    return {Clownfish(), Jellyfish(), Pufferfish(), Shark()};
}

QImage Submarine(int scale)
{
    return Chunky(20, 12, scale, [](QPainter &p) {
        p.setBrush(QColor(255, 210, 40));
        p.drawRect(9, 1, 1, 3);
        p.drawRect(7, 3, 6, 3);
        p.drawEllipse(1, 5, 18, 6);
        p.setBrush(QColor(120, 220, 255));
        for (int x : {5, 9, 13})
            p.drawRect(x, 7, 2, 2);
        p.setBrush(QColor(200, 120, 20));
        p.drawRect(2, 10, 16, 1);
    });
}

QImage Coral()
{
    return Chunky(24, 12, 4, [](QPainter &p) {
        p.setBrush(QColor(230, 200, 140));
        p.drawChord(1, 8, 22, 8, 0, 180 * 16);
        p.setPen(QColor(255, 110, 120));
        p.drawLine(7, 9, 7, 3);
        p.drawLine(7, 5, 4, 2);
        p.drawLine(7, 6, 10, 3);
        p.setPen(QColor(255, 160, 60));
        p.drawLine(15, 9, 15, 2);
        p.drawLine(15, 4, 18, 1);
        p.drawLine(15, 6, 12, 4);
        p.setPen(QColor(190, 90, 230));
        p.drawLine(19, 9, 20, 5);
        p.drawLine(3, 9, 2, 6);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(250, 250, 250));
        p.drawRect(11, 8, 2, 1);
    });
}

std::vector<QImage> Bubbles(int width, int height, int frames, QRgb rim, QRgb core)
{
    std::vector<QImage> out;
    TToolRandom random(404);
    std::vector<std::pair<double, double>> dirs(14);
    for (auto &d : dirs)
        d = {random.Unit() * 2 * M_PI, 0.4 + random.Unit() * 0.6};
    for (int f = 0; f < frames; ++f) {
        const double t = double(f + 1) / frames;
        out.push_back(Chunky(width / 4, height / 4, 4, [&](QPainter &p) {
            const double cx = width / 8.0, cy = height / 8.0;
            if (t < 0.5) {
                p.setBrush(QColor(core));
                p.drawEllipse(QPointF(cx, cy), 5 * (1 - t), 4 * (1 - t));
            }
            for (const auto &[a, speed] : dirs) {
                const double r = (cx - 2) * t * speed;
                const double x = cx + std::cos(a) * r, y = cy + std::sin(a) * r * 0.8 - t * 4;
                p.setPen(QColor(rim));
                p.setBrush(Qt::NoBrush);
                const double size = 1 + 2 * speed * (1 - t * 0.5);
                p.drawEllipse(QPointF(x, y), size, size);
            }
        }));
    }
    return out;
}

} // namespace Reef
