#include "DesignAssets.h"
#include "GifWriter.h"
#include "WaveSynth.h"

#include "design/DesignLayout.h"

#include <QPainter>
#include <QRadialGradient>

#include <cmath>
#include <stdexcept>

namespace {

const QRgb Key = qRgb(255, 0, 255); // see-through colour of the bitmaps

QImage ShipArt()
{
    const TPalette pal = {{'g', qRgb(70, 220, 100)}, {'G', qRgb(25, 125, 60)}, {'c', qRgb(120, 230, 255)},
                          {'w', qRgb(240, 255, 255)}, {'y', qRgb(255, 220, 60)}, {'r', qRgb(255, 70, 70)}};
    return MirrorRight(ArtImage({"...........y",
                                 "...........G",
                                 ".........ccc",
                                 "........cwcc",
                                 ".......ccccc",
                                 "....gggggggg",
                                 "..gggggggggg",
                                 ".gGgGgGgGgGg",
                                 "gggggggggggg",
                                 "gyggrgggyggr",
                                 ".gggggggggGG",
                                 "..GGGGGGGGGG",
                                 "...G....G...",
                                 "..G....G....",
                                 ".G....GG....",
                                 "............"},
                                pal, 4));
}

const TPalette CanonPalette = {{'b', qRgb(100, 180, 255)}, {'B', qRgb(40, 90, 200)}, {'w', qRgb(240, 245, 255)},
                               {'y', qRgb(255, 220, 60)}, {'k', qRgb(120, 120, 140)}};

QImage CanonArt()
{
    return MirrorRight(ArtImage({".........w",
                                 "........ww",
                                 "........bw",
                                 "........bw",
                                 "........bw",
                                 ".......bbb",
                                 ".......bbb",
                                 "....bbbbbb",
                                 "...bBBBBBB",
                                 "..bBBBBBBB",
                                 ".bBBBBBBBB",
                                 "bBBByBBByB",
                                 "bBBBBBBBBB",
                                 "bbbbbbbbbb",
                                 ".kk.kk.kk.",
                                 ".........."},
                                CanonPalette, 2));
}

QImage CanonLeftArt()
{
    return MirrorRight(ArtImage({".....w", ".....b", "....bb", "..bbbb", ".bBBBB",
                                 "bBBBBB", "bBBByB", "bbbbbb", ".k.k.k", "......"},
                                CanonPalette, 2));
}

QImage HomeArt()
{
    const TPalette pal = {{'R', qRgb(200, 60, 50)}, {'r', qRgb(150, 40, 35)}, {'w', qRgb(230, 220, 200)},
                          {'y', qRgb(255, 220, 90)}, {'b', qRgb(120, 70, 30)}, {'g', qRgb(60, 170, 60)}};
    return MirrorRight(ArtImage({"........R",
                                 ".......RR",
                                 "......RrR",
                                 ".....RRRR",
                                 "....RrRRR",
                                 "...RRRRrR",
                                 "..RRRRRRR",
                                 "...wwwwww",
                                 "...wyywww",
                                 "...wyywbb",
                                 "...wwwwbb",
                                 ".gggggggg"},
                                pal, 4));
}

QImage RocketArt()
{
    const TPalette pal = {{'w', qRgb(230, 230, 240)}, {'r', qRgb(255, 60, 60)}, {'o', qRgb(255, 140, 0)},
                          {'y', qRgb(255, 230, 80)}};
    return ArtImage({"..w..", ".www.", ".wrw.", ".www.", ".www.", ".www.",
                     ".www.", "o.w.o", "o.y.o", "..y..", ".oyo.", "..o.."},
                    pal, 2);
}

std::vector<QImage> BombFrames()
{
    const TPalette pal = {{'y', qRgb(255, 230, 80)}, {'r', qRgb(255, 90, 40)}, {'R', qRgb(200, 30, 30)},
                          {'W', qRgb(255, 255, 255)}};
    return {ArtImage({"..y..", ".yry.", "yrRry", "rRWRr", "rRWRr", "yrRry", ".yry.", "..y.."}, pal, 2),
            ArtImage({"..r..", ".ryr.", "ryWyr", "yWWWy", "yWWWy", "ryWyr", ".ryr.", "..r.."}, pal, 2)};
}

QImage Background(int width, int height)
{
    QImage img(width, height, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0, QColor(4, 4, 18));
    sky.setColorAt(1, QColor(18, 8, 34));
    p.fillRect(img.rect(), sky);
    // Faint nebulae and a distant ringed planet give depth without
    // competing with the sprites.
    auto glow = [&](double x, double y, double r, QColor c) {
        QRadialGradient g(x, y, r);
        g.setColorAt(0, c);
        c.setAlpha(0);
        g.setColorAt(1, c);
        p.fillRect(img.rect(), g);
    };
    glow(width * 0.22, height * 0.30, height * 0.45, QColor(70, 30, 110, 70));
    glow(width * 0.70, height * 0.55, height * 0.40, QColor(20, 60, 110, 60));
    TToolRandom random(20240611);
    for (int i = 0; i < width * height / 350; ++i) {
        const int x = random.Below(width), y = random.Below(height - 24);
        const int b = 90 + random.Below(166);
        const int tint = random.Below(10);
        const QRgb c = tint == 0 ? qRgb(b, b * 3 / 4, b / 2) : tint == 1 ? qRgb(b * 3 / 4, b * 3 / 4, b) : qRgb(b, b, b);
        FillBlock(img, x, y, 1, 1, c);
        if (b > 235)
            FillBlock(img, x - 1, y, 3, 1, c), FillBlock(img, x, y - 1, 1, 3, c);
    }
    const QPointF planet(width * 0.86, height * 0.17);
    QRadialGradient body(planet.x() - 12, planet.y() - 12, 46);
    body.setColorAt(0, QColor(200, 150, 110));
    body.setColorAt(1, QColor(60, 30, 40));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawEllipse(planet, 34, 34);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(170, 140, 120, 150), 3));
    p.drawEllipse(planet, 58, 12);
    // Ground under the cannon.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.fillRect(0, height - 14, width, 14, QColor(36, 22, 52));
    p.fillRect(0, height - 14, width, 2, QColor(110, 70, 150));
    return img;
}

std::vector<QRgb> FireHeat()
{
    return {qRgb(255, 255, 255), qRgb(255, 250, 180), qRgb(255, 230, 80), qRgb(255, 180, 40),
            qRgb(255, 120, 20),  qRgb(230, 60, 20),   qRgb(160, 30, 30),  qRgb(100, 60, 60),
            qRgb(70, 60, 70)};
}

std::vector<QRgb> CanonHeat()
{
    return {qRgb(255, 255, 255), qRgb(200, 230, 255), qRgb(120, 190, 255), qRgb(255, 240, 150),
            qRgb(255, 190, 60),  qRgb(255, 120, 30),  qRgb(190, 50, 30),   qRgb(110, 60, 70),
            qRgb(70, 60, 80)};
}

// Letters that appear one by one, then flash; the last frame is complete.
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

// Letters drop in from above one after another, landing with a bounce.
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

// A lightning bolt strikes, then the word lights up from left to right.
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

void MakePictures(const QString &dir, TLayout &layout)
{
    const QImage ship = ShipArt(), canon = CanonArt(), canonLeft = CanonLeftArt(), home = HomeArt();
    TLayoutInput in;
    in.ShipWidth = ship.width();
    in.ShipHeight = ship.height();
    in.CanonLeftHeight = canonLeft.height();
    in.HomeHeight = home.height();
    in.CanonHeight = canon.height();
    layout = ComputeLayoutNumbers(in);

    if (!Background(layout.ClientWidth, layout.ClientHeight).save(dir + QStringLiteral("Image0.bmp"), "BMP"))
        throw std::runtime_error("cannot write Image0.bmp");
    WriteGif(dir + QStringLiteral("Image1.gif"), {BombFrames(), 20, true});
    SaveBitmap(dir + QStringLiteral("Image2.bmp"), canon, Key);
    SaveBitmap(dir + QStringLiteral("Image3.bmp"), canonLeft, Key);
    SaveBitmap(dir + QStringLiteral("Image4.bmp"), home, Key);
    SaveBitmap(dir + QStringLiteral("Image5.bmp"), RocketArt(), Key);
    SaveBitmap(dir + QStringLiteral("Image6.bmp"), ship, Key);
    // The explosion's last frame is never drawn: the game takes the sprite
    // away the moment it is entered, so it holds only fading sparks.
    WriteGif(dir + QStringLiteral("Image7.gif"), {ExplosionFrames(112, 80, 8, 4, FireHeat(), 7), 10, true});
    WriteGif(dir + QStringLiteral("Image8.gif"), {ExplosionFrames(96, 72, 10, 4, CanonHeat(), 8), 20, true});

    TTextStyle over{7, 1, qRgb(235, 40, 40), qRgb(255, 160, 120), qRgb(140, 10, 20), qRgb(20, 0, 0), 3, 0, 0};
    TTextStyle overFlash = over;
    overFlash.Fill = qRgb(255, 220, 60);
    overFlash.Light = qRgb(255, 255, 200);
    overFlash.Dark = qRgb(200, 120, 20);
    WriteGif(dir + QStringLiteral("Image9.gif"), {TypedText(QStringLiteral("GAME OVER"), over, 3, overFlash), 20, false});

    // The attract screen is white: dark outlines and soft grey shadows.
    TTextStyle snap{11, 1, qRgb(40, 90, 225), qRgb(140, 180, 255), qRgb(20, 40, 140), qRgb(10, 10, 40), 4,
                    qRgb(185, 185, 200), 6};
    WriteGif(dir + QStringLiteral("Image10.gif"), {DroppingText(QStringLiteral("SNAP"), snap), 10, false});
    TTextStyle stormDim{11, 1, qRgb(120, 110, 130), qRgb(160, 150, 170), qRgb(80, 70, 90), qRgb(10, 10, 40), 4,
                        qRgb(185, 185, 200), 6};
    TTextStyle stormLit{11, 1, qRgb(255, 170, 20), qRgb(255, 240, 140), qRgb(200, 80, 10), qRgb(10, 10, 40), 4,
                        qRgb(185, 185, 200), 6};
    WriteGif(dir + QStringLiteral("Image11.gif"),
             {StrikingText(QStringLiteral("STORM"), stormDim, stormLit), 10, false});
    TTextStyle tag{3, 1, qRgb(200, 30, 40), qRgb(240, 110, 110), qRgb(120, 10, 20), qRgb(255, 255, 255), 0, 0, 0};
    TTextStyle tagFlash = tag;
    tagFlash.Fill = qRgb(40, 90, 225);
    WriteGif(dir + QStringLiteral("Image12.gif"),
             {TypedText(QStringLiteral("DEFEND YOUR HOMES!"), tag, 2, tagFlash), 10, false});
}

void MakeSounds(const QString &dir)
{
    using W = TSynth::Wave;
    TSynth shot; // a short falling "pew"
    shot.Tone(0, 0.16, 1500, 320, W::Square, 0.45, 2.5);
    shot.Noise(0, 0.05, 0.8, 0.25);
    TSynth shipHit; // crunchy burst with a falling whine
    shipHit.Noise(0, 0.42, 0.6, 0.5, 3.5);
    shipHit.Tone(0, 0.3, 700, 120, W::Square, 0.3, 3);
    TSynth moveDown; // two heavy steps
    moveDown.Tone(0, 0.11, 110, 90, W::Square, 0.5, 2);
    moveDown.Tone(0.14, 0.13, 92, 70, W::Square, 0.55, 2);
    TSynth level; // rising fanfare
    const int up[] = {3, 7, 10, 15};
    for (int i = 0; i < 4; ++i)
        level.Note(i * 0.09, 0.1, up[i], W::Square, 0.35);
    level.Note(0.36, 0.34, 15, W::Square, 0.35);
    level.Note(0.36, 0.34, 10, W::Triangle, 0.3);
    TSynth canonHit; // a long, deep blast
    canonHit.Noise(0, 0.95, 0.35, 0.65, 3);
    canonHit.Tone(0, 0.6, 90, 35, W::Triangle, 0.45, 2);
    TSynth gameOver; // slow descending tune
    const int down[] = {-2, -3, -4, -5};
    for (int i = 0; i < 4; ++i)
        gameOver.Note(i * 0.32, 0.3, down[i], W::Triangle, 0.5);
    gameOver.Note(1.28, 0.7, -14, W::Square, 0.3);
    gameOver.Note(1.28, 0.7, -9, W::Triangle, 0.35);
    TSynth start; // bright jingle
    const int tune[] = {3, 7, 10, 7, 12, 10, 15};
    const double len[] = {0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.35};
    double at = 0;
    for (int i = 0; i < 7; ++i) {
        start.Note(at, len[i], tune[i], W::Square, 0.3);
        start.Note(at, len[i], tune[i] - 24, W::Triangle, 0.3);
        at += len[i] + 0.02;
    }
    const TSynth *cues[] = {&shot, &shipHit, &moveDown, &level, &canonHit, &gameOver, &start};
    for (int n = 1; n <= 7; ++n)
        WriteWave(dir + QStringLiteral("Sound%1.wav").arg(n), cues[n - 1]->ToUnsigned8());
}

} // namespace

void MakeDefaultDesign(const QString &dir)
{
    TLayout layout;
    MakePictures(dir, layout);
    MakeSounds(dir);
    SaveKeyList(dir + QStringLiteral("!design.ini"),
                {QStringLiteral("Version=Banana"),
                 QStringLiteral("Author=Snapstorm"),
                 QStringLiteral("Info=The classic look: green saucers over a starry sky."),
                 QStringLiteral("AnimationDelay1=1"), QStringLiteral("AnimationLoop1=1"),
                 QStringLiteral("AnimationDelay7=0"), QStringLiteral("AnimationLoop7=1"),
                 QStringLiteral("AnimationDelay8=1"), QStringLiteral("AnimationLoop8=1"),
                 QStringLiteral("AnimationDelay9=1"), QStringLiteral("AnimationLoop9=0"),
                 QStringLiteral("AnimationDelay10=0"), QStringLiteral("AnimationLoop10=0"),
                 QStringLiteral("AnimationDelay11=1"), QStringLiteral("AnimationLoop11=0"),
                 QStringLiteral("AnimationDelay12=0"), QStringLiteral("AnimationLoop12=0"),
                 QStringLiteral("PhotoCount=0"),
                 QStringLiteral("BigShipWidth=%1").arg(layout.BigShipWidth),
                 QStringLiteral("BigShipHeight=%1").arg(layout.BigShipHeight),
                 QStringLiteral("ClientWidth=%1").arg(layout.ClientWidth),
                 QStringLiteral("ClientHeight=%1").arg(layout.ClientHeight)});
}
