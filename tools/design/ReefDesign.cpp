#include "DesignAssets.h"
#include "GifWriter.h"
#include "TextAnimations.h"
#include "TitlePictures.h"
#include "WaveSynth.h"

#include "design/DesignLayout.h"

#include <QLinearGradient>
#include <QPainterPath>

#include <cmath>
#include <stdexcept>

namespace {

const QRgb Navy = qRgb(6, 22, 52);

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

std::vector<QImage> Fish() { return {Clownfish(), Jellyfish(), Pufferfish(), Shark()}; }

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

QImage Background(int width, int height)
{
    QImage img(width, height, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient water(0, 0, 0, height);
    water.setColorAt(0, QColor(20, 110, 160));
    water.setColorAt(1, QColor(4, 24, 60));
    p.fillRect(img.rect(), water);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    // Sunlight falls in slanted rays from the surface.
    for (int i = 0; i < 6; ++i) {
        const double x = width * (0.08 + 0.17 * i);
        p.setBrush(QColor(180, 230, 255, 18 + 6 * (i % 3)));
        p.drawPolygon(QPolygonF({QPointF(x, 0), QPointF(x + 40, 0), QPointF(x - 60, height), QPointF(x - 150, height)}));
    }
    TToolRandom random(55);
    for (int i = 0; i < 40; ++i) {
        const double r = 1.5 + random.Unit() * 3;
        p.setPen(QPen(QColor(200, 240, 255, 90), 1));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(random.Below(width), random.Below(height - 60)), r, r);
    }
    // Sea grass sways up from the sand.
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 18; ++i) {
        const double x = random.Below(width), h = 40 + random.Below(70);
        QPainterPath blade(QPointF(x, height - 14));
        blade.cubicTo(x - 14, height - h / 2, x + 14, height - h * 0.7, x + random.Below(16) - 8, height - h);
        p.setPen(QPen(QColor(40, 150 + random.Below(60), 90, 200), 3));
        p.drawPath(blade);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(190, 160, 110));
    p.drawRect(0, height - 14, width, 14);
    p.setBrush(QColor(150, 120, 80));
    for (int i = 0; i < 12; ++i)
        p.drawEllipse(QPointF(random.Below(width), height - 12), 10 + random.Below(14), 6);
    p.end();
    return img;
}

std::array<TGifFrames, 3> Titles()
{
    const TTextStyle logo{4, 1, qRgb(60, 200, 240), qRgb(130, 225, 250), qRgb(60, 200, 240), Navy, 2, 0, 0};
    const QString text = QStringLiteral("DEEP REEF");
    const int cell = TextCellWidth(logo);
    std::vector<QImage> waves;
    // The letters bob on a swell, then come to rest.
    for (int f = 0; f < 12; ++f) {
        QImage img = BlankImage(text.size() * cell + 2 * logo.OutlineWidth, 40);
        for (int i = 0; i < text.size(); ++i) {
            const int bob = f == 11 ? 0 : int(std::lround(2.5 * std::sin((f + i) * 0.9)));
            Blit(img, TextImage(text.mid(i, 1), logo), i * cell, 3 + bob);
        }
        waves.push_back(img);
    }
    std::vector<QImage> pale;
    for (const QImage &fish : Fish())
        pale.push_back(Outlined(Paled(fish, 0.6), Navy, 2));
    const TTextStyle slogan{4, 1, Navy, Navy, qRgb(0, 0, 0), 0, 0, 0, 0};
    TTextStyle flash = slogan;
    flash.Fill = flash.Light = qRgb(0, 60, 80);
    return {TGifFrames{waves, 10, false}, TGifFrames{ArrivingRow(pale, 20), 10, false},
            TGifFrames{TypedText(QStringLiteral("SAVE THE REEF!"), slogan, 2, flash), 10, false}};
}

void MakeSounds(const QString &dir)
{
    using W = TSynth::Wave;
    TSynth shot; // a bubbly bloop
    shot.Tone(0, 0.14, 250, 900, W::Sine, 0.6, 2);
    TSynth pop; // a burst of bubbles
    TToolRandom random(9);
    for (int i = 0; i < 7; ++i)
        pop.Tone(i * 0.035, 0.06, 500 + random.Below(900), 1400 + random.Below(600), W::Sine, 0.35, 2);
    TSynth step; // a deep, soft thud through water
    step.Tone(0, 0.25, 90, 60, W::Sine, 0.7, 2.5);
    TSynth ping; // sonar ping and its echo
    ping.Tone(0, 0.6, 1150, 1150, W::Sine, 0.5, 5);
    ping.Tone(0.35, 0.5, 1150, 1150, W::Sine, 0.18, 5);
    TSynth rumble; // a muffled blast
    rumble.Noise(0, 1.0, 0.12, 0.7, 2.5);
    rumble.Tone(0, 0.7, 120, 35, W::Sine, 0.5, 2);
    TSynth sink; // a slow, sinking tune with an echo
    const int down[] = {0, -2, -5, -7, -12};
    for (int i = 0; i < 5; ++i) {
        sink.Note(i * 0.3, 0.35, down[i], W::Triangle, 0.45);
        sink.Note(i * 0.3 + 0.15, 0.35, down[i], W::Sine, 0.15);
    }
    TSynth harp; // a harp-like arpeggio with an echo
    const int tune[] = {0, 3, 7, 10, 12, 15, 19};
    for (int i = 0; i < 7; ++i) {
        harp.Note(i * 0.09, 0.5, tune[i], W::Triangle, 0.35);
        harp.Note(i * 0.09 + 0.2, 0.4, tune[i], W::Sine, 0.12);
    }
    SaveSounds(dir, {&shot, &pop, &step, &ping, &rumble, &sink, &harp});
}

} // namespace

void MakeReefDesign(const QString &dir)
{
    const std::vector<QImage> fish = Fish();
    const QImage ship = fish.front(), canon = Submarine(4), canonLeft = Submarine(2), home = Coral();
    const TLayout layout = SaveFieldPictures(dir, ship, canon, canonLeft, home);

    SaveBackground(dir, Background(int(layout.ClientWidth), int(layout.ClientHeight)));
    const TPalette mine = {{'m', qRgb(60, 60, 70)}, {'s', qRgb(150, 150, 160)}, {'r', qRgb(255, 60, 40)}};
    WriteGif(dir + QStringLiteral("Image1.gif"),
             {{ArtImage({"..s..", ".mmm.", "smrms", ".mmm.", "..s.."}, mine, 3),
               ArtImage({"s...s", ".mmm.", ".mmm.", ".mmm.", "s...s"}, mine, 3)}, 10, true});
    const TPalette air = {{'o', qRgb(200, 240, 255)}, {'w', qRgb(255, 255, 255)}};
    WriteGif(dir + QStringLiteral("Image5.gif"),
             {{ArtImage({".o.", "owo", ".o.", "...", "o..", "...", "..o"}, air, 3),
               ArtImage({".o.", "owo", ".o.", "..o", "...", "o..", "..."}, air, 3)}, 10, true});
    WriteGif(dir + QStringLiteral("Image7.gif"), {Bubbles(112, 88, 8, qRgb(210, 245, 255), qRgb(255, 240, 180)), 10, true});
    WriteGif(dir + QStringLiteral("Image8.gif"), {Bubbles(112, 88, 10, qRgb(255, 200, 120), qRgb(255, 255, 255)), 20, true});
    const TTextStyle over{7, 1, qRgb(255, 215, 70), qRgb(255, 250, 200), qRgb(210, 140, 20), Navy, 3, 0, 0};
    TTextStyle overFlash = over;
    overFlash.Fill = qRgb(60, 200, 240);
    WriteGif(dir + QStringLiteral("Image9.gif"), {TypedText(QStringLiteral("GAME OVER"), over, 2, overFlash), 20, false});
    WriteTitles(dir, int(layout.ClientHeight), Titles());
    SavePhotos(dir, fish);
    MakeSounds(dir);
    SaveDesignIni(dir,
                  QStringLiteral("Under the sea: fish and jellyfish over the reef, a yellow submarine "
                                "and sonar pings."),
                  {{1, 2}, {5, 1}, {7, 0}, {8, 1}, {9, 1}, {10, 1}, {11, 1}, {12, 0}}, int(fish.size()), layout);
}
