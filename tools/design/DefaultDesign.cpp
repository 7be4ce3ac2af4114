#include "ArtEffects.h"
#include "DefaultShips.h"
#include "DesignAssets.h"
#include "GifWriter.h"
#include "TextAnimations.h"
#include "TitlePictures.h"
#include "WaveSynth.h"

#include "design/DesignLayout.h"

#include <QPainter>
#include <QRadialGradient>

#include <cmath>
#include <stdexcept>

namespace {


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

// The attract screen is white and the red score lines rise over all but
// its top tenth: a bold banner fits in that tenth, the fleet below it is
// drawn pale with dark outlines, the slogan in near-black.
std::array<TGifFrames, 3> Titles(const std::vector<QImage> &fleet)
{
    const TTextStyle logo{4, 1, qRgb(255, 210, 40), qRgb(255, 250, 190), qRgb(200, 110, 20), qRgb(10, 10, 40), 2, 0, 0};
    const std::vector<QImage> letters = DroppingText(QStringLiteral("SNAPSTORM"), logo);
    QImage banner = BlankImage(letters.front().width() + 48, 40);
    QPainter p(&banner);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(110, 160, 255), 2));
    p.setBrush(QColor(20, 30, 90));
    p.drawRoundedRect(QRectF(1, 1, banner.width() - 2, banner.height() - 2), 12, 12);
    p.end();
    TToolRandom random(1010);
    for (int i = 0; i < 14; ++i)
        FillBlock(banner, 8 + random.Below(banner.width() - 16), 5 + random.Below(30), 2, 2, qRgb(200, 220, 255));
    std::vector<QImage> logoFrames;
    for (const QImage &frame : letters) {
        QImage f = banner.copy();
        Blit(f, frame, 24, 4);
        logoFrames.push_back(f);
    }

    std::vector<QImage> pale;
    for (const QImage &ship : fleet)
        pale.push_back(Outlined(Paled(ship, 0.65), qRgb(12, 12, 40), 2));

    const TTextStyle slogan{4, 1, qRgb(20, 24, 60), qRgb(20, 24, 60), qRgb(0, 0, 0), 0, 0, 0, 0};
    TTextStyle flash = slogan;
    flash.Fill = flash.Light = qRgb(110, 0, 0);
    return {TGifFrames{logoFrames, 10, false}, TGifFrames{ArrivingRow(pale, 14), 10, false},
            TGifFrames{TypedText(QStringLiteral("DEFEND YOUR HOMES!"), slogan, 2, flash), 10, false}};
}

void MakePictures(const QString &dir, TLayout &layout)
{
    const std::vector<QImage> fleet = DefaultFleet();
    const QImage ship = fleet.front(), canon = CanonArt(), canonLeft = CanonLeftArt(), home = HomeArt();
    layout = SaveFieldPictures(dir, ship, canon, canonLeft, home);

    SaveBackground(dir, Background(layout.ClientWidth, layout.ClientHeight));
    WriteGif(dir + QStringLiteral("Image1.gif"), {BombFrames(), 20, true});
    SaveBitmap(dir + QStringLiteral("Image5.bmp"), RocketArt(), SeeThrough);
    // Every ship of the fleet has the ship picture's size, so the formation
    // plays the same whichever photos it shows.
    SavePhotos(dir, fleet);
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
    WriteTitles(dir, int(layout.ClientHeight), Titles(fleet));
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
    SaveSounds(dir, {&shot, &shipHit, &moveDown, &level, &canonHit, &gameOver, &start});
}

} // namespace

void MakeDefaultDesign(const QString &dir)
{
    TLayout layout;
    MakePictures(dir, layout);
    MakeSounds(dir);
    SaveDesignIni(dir,
                  QStringLiteral("The classic look: a mixed fleet of saucers, crabs, squids, fighters and rays "
                                "over a starry sky."),
                  {{1, 1}, {7, 0}, {8, 1}, {9, 1}, {10, 0}, {11, 1}, {12, 0}}, int(DefaultFleet().size()), layout);
}
