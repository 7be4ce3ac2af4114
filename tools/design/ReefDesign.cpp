#include "ArtEffects.h"
#include "DesignAssets.h"
#include "GifWriter.h"
#include "ReefArt.h"
#include "TextAnimations.h"
#include "TitlePictures.h"
#include "WaveSynth.h"

#include "design/DesignLayout.h"

#include <QLinearGradient>
#include <QPainterPath>

#include <cmath>
#include <stdexcept>

using namespace Reef;

namespace {

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
    // The spare cannons at a quarter of the cannon's size stand apart in their row.
    const QImage ship = fish.front(), canon = Submarine(4), canonLeft = Submarine(1), home = Coral();
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
