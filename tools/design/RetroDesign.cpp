#include "ArtEffects.h"
#include "DesignAssets.h"
#include "GifWriter.h"
#include "TextAnimations.h"
#include "TitlePictures.h"
#include "WaveSynth.h"

#include "design/DesignLayout.h"

#include <stdexcept>

namespace {

// A home console's few bright colours on black, in chunky pixels.
const QRgb Green = qRgb(92, 228, 48), Pink = qRgb(248, 56, 152), Sky = qRgb(60, 188, 252),
           Yellow = qRgb(248, 216, 0), Red = qRgb(228, 0, 88), White = qRgb(252, 252, 252),
           Ink = qRgb(0, 0, 0);

using TRows = std::vector<const char *>;

// The fleet: creatures of this design's own, drawn on an 11 x 9 grid.
// 'X' is a creature's own colour, 'w' white, 'k' black, 'y' yellow.
const TRows Owl = {"X.........X", "XX.......XX", ".XXXXXXXXX.", "XwwXXXXXwwX", "XwkXXyXXkwX",
                   ".XXXXyXXXX.", "..XXXXXXX..", "..y.....y..", "..........."};
const TRows Beetle = {"..X.....X..", "...X...X...", "....XXX....", "X.XXXXXXX.X", ".XXwXXXwXX.",
                      "X.XXXXXXX.X", ".XXXwXwXXX.", "...XXXXX...", "..........."};
const TRows Slime = {"....XXX....", "..XXXXXXX..", ".XXXwwwXXX.", ".XXwwkwwXX.", "XXXXwwwXXXX",
                     "XXXXXXXXXXX", "X.XX.X.XX.X", "X..X...X..X", "..........."};
const TRows Toadstool = {"...XXXXX...", ".XXwXXXwXX.", "XXXXXwXXXXX", "XwXXXXXXXwX", "..yyyyyyy..",
                         "..ykyyyky..", "..yyyyyyy..", "..yy...yy..", "..........."};
// A domed rover with its launcher on top, on three pairs of wheels.
const TRows Rover = {".....yy.....", ".....yy.....", "...XXXXXX...", "..XXwwwwXX..", ".XXXXXXXXXX.",
                     "XXXXXXXXXXXX", ".ww..ww..ww.", "............"};

QImage Sprite(const TRows &rows, QRgb colour, int scale)
{
    return ArtImage(rows, {{'X', colour}, {'w', White}, {'k', Ink}, {'y', Yellow}}, scale);
}

// `ink` draws every creature as a silhouette of that colour, its eyes left white.
std::vector<QImage> Creatures(QRgb ink = 0, int scale = 8)
{
    const auto draw = [ink, scale](const TRows &rows, QRgb own) {
        if (!ink)
            return Sprite(rows, own, scale);
        return ArtImage(rows, {{'X', ink}, {'w', White}, {'k', ink}, {'y', ink}}, scale);
    };
    return {draw(Owl, Green), draw(Beetle, Pink), draw(Slime, Sky), draw(Toadstool, Red)};
}

// A cottage with a red roof, lit windows and a door.
QImage Cottage()
{
    return ArtImage({"..........RR..........", "........RRRRRR........", "......RRRRRRRRRR......",
                     "....RRRRRRRRRRRRRR....", "..RRRRRRRRRRRRRRRRRR..", "RRRRRRRRRRRRRRRRRRRRRR",
                     ".GGGGGGGGGGGGGGGGGGGG.", ".GGyyGGGGGddGGGGGyyGG.", ".GGyyGGGGGddGGGGGyyGG.",
                     ".GGGGGGGGGddGGGGGGGGG.", ".GGGGGGGGGddGGGGGGGGG.", "......................"},
                    {{'R', Red}, {'G', Green}, {'y', Yellow}, {'d', Pink}}, 4);
}

QImage Background(int width, int height)
{
    QImage img(width, height, QImage::Format_RGB32);
    img.fill(Ink);
    TToolRandom random(8);
    const QRgb stars[] = {White, Sky, Yellow, Pink};
    for (int i = 0; i < width * height / 2500; ++i)
        FillBlock(img, random.Below(width / 4) * 4, random.Below((height - 40) / 4) * 4, 4, 4, stars[random.Below(4)]);
    FillBlock(img, 0, height - 8, width, 4, Green);
    return img;
}

std::vector<QRgb> Heat(QRgb first, QRgb second)
{
    return {White, first, first, second, second, Red, qRgb(100, 0, 60)};
}

std::array<TGifFrames, 3> Titles()
{
    // A row of letters, each in its own colour, typed in one by one.
    const QString word = QStringLiteral("RETRO");
    const QRgb colours[] = {Red, Yellow, Green, Sky, Pink};
    std::vector<QImage> logo;
    TTextStyle style{5, 1, 0, 0, 0, Ink, 2, 0, 0};
    const int cell = TextCellWidth(style);
    QImage full = BlankImage(word.size() * cell + 4, 39);
    for (int i = 0; i < word.size(); ++i) {
        style.Fill = style.Light = style.Dark = colours[i];
        Blit(full, TextImage(word.mid(i, 1), style), i * cell, 0);
        logo.push_back(full.copy());
    }
    // The fleet marching in as black silhouettes on the white screen.
    std::vector<QImage> ink = Creatures(Ink, 5);
    const TTextStyle black{4, 1, Ink, Ink, Ink, 0, 0, 0, 0};
    TTextStyle blink = black;
    blink.Fill = blink.Light = blink.Dark = qRgb(255, 255, 255);
    std::vector<QImage> ready = TypedText(QStringLiteral("GET READY!"), black, 3, blink);
    for (QImage &f : ready)
        f = Padded(f, 8);
    return {TGifFrames{logo, 10, false}, TGifFrames{ArrivingRow(ink, 24), 10, false}, TGifFrames{ready, 20, false}};
}

void MakeSounds(const QString &dir)
{
    using W = TSynth::Wave;
    TSynth shot; // a quick square chirp
    shot.Tone(0, 0.1, 1800, 500, W::Square, 0.4, 1.5);
    TSynth hit; // crunchy noise
    hit.Noise(0, 0.3, 1.0, 0.55, 3);
    hit.Tone(0, 0.12, 400, 200, W::Square, 0.25, 1);
    TSynth step; // the march's thump
    step.Tone(0, 0.09, 70, 60, W::Square, 0.5, 1);
    TSynth level; // a chip arpeggio
    const int up[] = {0, 4, 7, 12, 7, 12, 16, 19};
    for (int i = 0; i < 8; ++i)
        level.Note(i * 0.06, 0.06, up[i], W::Square, 0.3);
    TSynth boom; // a long chip blast
    boom.Noise(0, 1.0, 0.5, 0.6, 2.5);
    boom.Tone(0, 0.5, 300, 40, W::Square, 0.3, 2);
    TSynth over; // the classic falling tune
    const int down[] = {7, 6, 5, 4, 3, 2, 1, 0};
    for (int i = 0; i < 8; ++i)
        over.Note(i * 0.14, 0.12, down[i] - 12, W::Square, 0.35);
    over.Note(1.15, 0.5, -24, W::Triangle, 0.5);
    TSynth start; // a jingle on two square channels
    const int tune[] = {0, 0, 7, 7, 9, 9, 7, 5, 4, 12};
    for (int i = 0; i < 10; ++i) {
        start.Note(i * 0.1, i == 9 ? 0.35 : 0.08, tune[i], W::Square, 0.25);
        start.Note(i * 0.1, i == 9 ? 0.35 : 0.08, tune[i] - 12, W::Triangle, 0.35);
    }
    SaveSounds(dir, {&shot, &hit, &step, &level, &boom, &over, &start});
}

} // namespace

void MakeRetroDesign(const QString &dir)
{
    const std::vector<QImage> creatures = Creatures();
    // The spare cannons are drawn small enough to stand apart in their row.
    const QImage ship = creatures.front(), canon = Sprite(Rover, Sky, 6), canonLeft = Sprite(Rover, Sky, 2),
                 home = Cottage();
    const TLayout layout = SaveFieldPictures(dir, ship, canon, canonLeft, home);

    SaveBackground(dir, Background(int(layout.ClientWidth), int(layout.ClientHeight)));
    WriteGif(dir + QStringLiteral("Image1.gif"),
             {{Sprite({"X..", ".X.", "..X", ".X.", "X..", ".X.", "..X"}, White, 4),
               Sprite({"..X", ".X.", "X..", ".X.", "..X", ".X.", "X.."}, White, 4)}, 10, true});
    WriteGif(dir + QStringLiteral("Image5.gif"), {{Sprite({"X", "X", "X", "X", "X"}, Yellow, 4)}, 10, false});
    WriteGif(dir + QStringLiteral("Image7.gif"), {ExplosionFrames(88, 72, 6, 8, Heat(Yellow, Pink), 80), 10, true});
    WriteGif(dir + QStringLiteral("Image8.gif"), {ExplosionFrames(96, 72, 8, 6, Heat(Sky, Yellow), 81), 20, true});
    const TTextStyle over{6, 1, White, White, White, 0, 0, 0, 0};
    TTextStyle overBlink = over;
    overBlink.Fill = overBlink.Light = overBlink.Dark = Red;
    WriteGif(dir + QStringLiteral("Image9.gif"), {TypedText(QStringLiteral("GAME OVER"), over, 3, overBlink), 20, false});
    WriteTitles(dir, int(layout.ClientHeight), Titles());
    SavePhotos(dir, creatures);
    MakeSounds(dir);
    SaveDesignIni(dir,
                  QStringLiteral("Chunky pixels and square-wave beeps, as on a home console of old."),
                  {{1, 1}, {7, 1}, {8, 1}, {9, 1}, {10, 2}, {11, 1}, {12, 1}}, int(creatures.size()), layout);
}
