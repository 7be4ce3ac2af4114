#include "ArtEffects.h"
#include "DesignAssets.h"
#include "GifWriter.h"
#include "NeonArt.h"
#include "TextAnimations.h"
#include "TitlePictures.h"
#include "WaveSynth.h"

#include "design/DesignLayout.h"

#include <QLinearGradient>
#include <QPainter>

#include <stdexcept>

using namespace Neon;

namespace {


// Stars over a glowing horizon and a grid running to it.
QImage Background(int width, int height)
{
    QImage img(width, height, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0, QColor(2, 2, 12));
    sky.setColorAt(0.62, QColor(22, 6, 46));
    sky.setColorAt(0.63, QColor(Field));
    sky.setColorAt(1, QColor(Field));
    p.fillRect(img.rect(), sky);
    p.end();
    TToolRandom random(777);
    const int horizon = height * 63 / 100;
    for (int i = 0; i < width * horizon / 260; ++i) {
        const int x = random.Below(width), y = random.Below(horizon - 4);
        const int b = 70 + random.Below(186);
        const QRgb c = random.Below(4) == 0 ? qRgb(b, b / 2, b) : random.Below(3) == 0 ? qRgb(b / 2, b, b) : qRgb(b, b, b);
        FillBlock(img, x, y, 1, 1, c);
        if (b > 240)
            FillBlock(img, x - 1, y, 3, 1, Mix(c, Field, 0.5)), FillBlock(img, x, y - 1, 1, 3, Mix(c, Field, 0.5));
    }
    // The grid stays dim, so bombs and homes stand out against it.
    Blit(img, LineArt(width, height, [&](QPainter &g) {
        g.setPen(QColor(Mix(Magenta, Field, 0.72)));
        for (int i = 1; i < 9; ++i) {
            const int y = horizon + (height - horizon) * i * i / 64;
            g.drawLine(0, y, width, y);
        }
        for (int i = -12; i <= 12; ++i)
            g.drawLine(width / 2 + i * 18, horizon, width / 2 + i * width / 10, height);
    }), 0, 0);
    Blit(img, Glow(LineArt(width, height, [&](QPainter &g) { g.drawLine(0, horizon, width, horizon); }),
                   Mix(Magenta, Field, 0.3), Field, 2), 0, 0);
    return img;
}

// The white attract screen gets dark panels: glow reads on them, and the
// red score lines stay readable over both.
QImage Panel(int width, int height)
{
    QImage img = BlankImage(width, height);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(8, 4, 24));
    p.drawRoundedRect(QRectF(0, 0, width, height), 10, 10);
    p.end();
    return img;
}

// The sign's tubes flicker on, then stay lit.
std::vector<QImage> Flicker(const QImage &panel, const QImage &lit, int x, int y)
{
    std::vector<QImage> frames;
    const bool on[] = {false, true, false, false, true, false, true, true};
    for (bool state : on) {
        QImage f = panel.copy();
        if (state) {
            Blit(f, lit, x, y);
        } else {
            for (int yy = 0; yy < lit.height(); ++yy)
                for (int xx = 0; xx < lit.width(); ++xx)
                    if (qAlpha(lit.pixel(xx, yy)))
                        f.setPixel(x + xx, y + yy, Mix(lit.pixel(xx, yy), Field, 0.75) | 0xFF000000u);
        }
        frames.push_back(f);
    }
    return frames;
}

std::array<TGifFrames, 3> Titles()
{
    const QImage word = TubeText(QStringLiteral("NEON"), 3, Magenta, qRgb(8, 4, 24));
    const QImage storm = TubeText(QStringLiteral("SNAPSTORM"), 2, Cyan, qRgb(8, 4, 24));
    QImage sign = Panel(word.width() + storm.width() + 40, 40);
    Blit(sign, storm, word.width() + 24, (40 - storm.height()) / 2);
    std::vector<QImage> fleet;
    for (const QImage &c : Creatures())
        fleet.push_back(Padded(c, 4));
    std::vector<QImage> row = ArrivingRow(fleet, 8);
    for (QImage &f : row) {
        QImage panel = Panel(f.width() + 24, f.height() + 16);
        Blit(panel, f, 12, 8);
        f = panel;
    }
    const QImage slogan = TubeText(QStringLiteral("CATCH THE LIGHT!"), 2, Cyan, qRgb(8, 4, 24));
    const QImage strip = Panel(slogan.width() + 24, slogan.height() + 8);
    return {TGifFrames{Flicker(sign, word, 12, (40 - word.height()) / 2), 10, false}, TGifFrames{row, 10, false},
            TGifFrames{Flicker(strip, slogan, 12, 4), 10, false}};
}

std::vector<QImage> GameOver()
{
    const QImage text = TubeText(QStringLiteral("GAME OVER"), 6, Magenta, Field);
    return Flicker(BlankImage(text.width(), text.height()), text, 0, 0);
}

void MakeSounds(const QString &dir)
{
    using W = TSynth::Wave;
    TSynth zap; // laser zap
    zap.Tone(0, 0.2, 2400, 600, W::Sine, 0.5, 2);
    zap.Tone(0, 0.2, 1200, 300, W::Square, 0.2, 3);
    TSynth pop; // glassy pop with a shimmer
    pop.Noise(0, 0.25, 0.9, 0.5, 5);
    for (int i = 0; i < 4; ++i)
        pop.Note(0.03 + i * 0.05, 0.12, 19 - i * 5, W::Sine, 0.4);
    TSynth step; // a soft synth bass drop
    step.Tone(0, 0.18, 220, 110, W::Sine, 0.6, 2);
    step.Tone(0, 0.18, 110, 55, W::Triangle, 0.4, 2);
    TSynth level; // arpeggio climbing two octaves
    const int up[] = {0, 4, 7, 12, 16, 19, 24};
    for (int i = 0; i < 7; ++i)
        level.Note(i * 0.06, i == 6 ? 0.3 : 0.08, up[i] + 3, W::Sine, 0.45);
    TSynth hit; // a power-down sweep through static
    hit.Tone(0, 0.8, 900, 60, W::Sine, 0.5, 1.5);
    hit.Noise(0, 0.5, 0.7, 0.35, 4);
    TSynth over; // detuned minor chord fading out
    for (int s : {-12, -9, -5})
        over.Note(0, 1.6, s, W::Sine, 0.25), over.Note(0.02, 1.6, s, W::Triangle, 0.12);
    over.Tone(0, 1.6, 60, 40, W::Sine, 0.3, 2);
    TSynth jingle; // synth arpeggio
    const int tune[] = {0, 4, 7, 12, 16, 19, 24, 19, 24};
    for (int i = 0; i < 9; ++i) {
        jingle.Note(i * 0.08, i == 8 ? 0.4 : 0.09, tune[i], W::Sine, 0.45);
        jingle.Note(i * 0.08, i == 8 ? 0.4 : 0.09, tune[i] - 12, W::Square, 0.15);
    }
    SaveSounds(dir, {&zap, &pop, &step, &level, &hit, &over, &jingle});
}

} // namespace

void MakeNeonDesign(const QString &dir)
{
    const QImage ship = Ship(), canon = Canon(), canonLeft = CanonLeft(), home = Home();
    const std::vector<QImage> creatures = Creatures();
    const TLayout layout = SaveFieldPictures(dir, ship, canon, canonLeft, home);

    SaveBackground(dir, Background(int(layout.ClientWidth), int(layout.ClientHeight)));
    WriteGif(dir + QStringLiteral("Image1.gif"), {Bomb(), 10, true});
    WriteGif(dir + QStringLiteral("Image5.gif"), {Rocket(), 10, true});
    WriteGif(dir + QStringLiteral("Image7.gif"), {Burst(112, 88, 8, Magenta, Cyan), 10, true});
    WriteGif(dir + QStringLiteral("Image8.gif"), {Burst(112, 88, 10, Cyan, qRgb(255, 255, 255)), 20, true});
    WriteGif(dir + QStringLiteral("Image9.gif"), {GameOver(), 20, false});
    WriteTitles(dir, int(layout.ClientHeight), Titles());
    // Every creature has the ship picture's size.
    SavePhotos(dir, creatures);
    MakeSounds(dir);
    SaveDesignIni(dir,
                  QStringLiteral("Glowing tubes under a starry sky: creatures of light over a "
                                "grid that runs to the horizon."),
                  {{1, 1}, {5, 0}, {7, 0}, {8, 1}, {9, 1}, {10, 1}, {11, 1}, {12, 1}}, int(creatures.size()), layout);
}
