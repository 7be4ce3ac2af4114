#include "DefaultShips.h"

#include "PixelArt.h"

namespace {

const QRgb White = qRgb(240, 255, 255);
const QRgb Pupil = qRgb(30, 20, 30);

QImage Saucer()
{
    const TPalette pal = {{'g', qRgb(70, 220, 100)}, {'G', qRgb(25, 125, 60)}, {'c', qRgb(120, 230, 255)},
                          {'w', White}, {'y', qRgb(255, 220, 60)}, {'r', qRgb(255, 70, 70)}};
    return MirrorRight(ArtImage({"...........y", "...........G", ".........ccc", "........cwcc",
                                 ".......ccccc", "....gggggggg", "..gggggggggg", ".gGgGgGgGgGg",
                                 "gggggggggggg", "gyggrgggyggr", ".gggggggggGG", "..GGGGGGGGGG",
                                 "...G....G...", "..G....G....", ".G....GG....", "............"},
                                pal, 4));
}

QImage Crab()
{
    const TPalette pal = {{'o', qRgb(255, 140, 40)}, {'O', qRgb(190, 70, 20)}, {'w', White}, {'k', Pupil}};
    return MirrorRight(ArtImage({"............", "............", "...o........", "....o.......",
                                 "...ooooooooo", "..oooooooooo", ".ooowwoooooo", "oooowkoooooo",
                                 "oooooooooooo", "o.oooooooooo", "o.ooOOOOOOOO", "o.o.........",
                                 "...oo.......", "....oo......", "............", "............"},
                                pal, 4));
}

QImage Squid()
{
    const TPalette pal = {{'p', qRgb(200, 110, 255)}, {'P', qRgb(120, 50, 190)}, {'w', White}, {'k', Pupil}};
    return MirrorRight(ArtImage({"............", "...........p", "..........pp", ".........ppp",
                                 "........pppp", ".......ppppp", "......pwwppp", "......pwkppp",
                                 ".....ppppppp", ".....PPPPPPP", "......p.p..p", ".....p..p.p.",
                                 "....p..p..p.", ".....p..p..p", "............", "............"},
                                pal, 4));
}

QImage Fighter()
{
    const TPalette pal = {{'b', qRgb(90, 170, 255)}, {'B', qRgb(40, 90, 210)}, {'c', qRgb(150, 240, 255)},
                          {'w', White}, {'y', qRgb(255, 200, 60)}};
    return MirrorRight(ArtImage({"b...........", "bb.........B", "bbb.......BB", "bbbb.....BBB",
                                 ".bbbb...BBcc", "..bbbbbBBccw", "...bbbbBBccc", "....bbBBBBcc",
                                 ".....BBBBBBB", "......BBBBBB", ".......yBBBB", "........y.BB",
                                 "..........yB", "...........y", "............", "............"},
                                pal, 4));
}

QImage Ray()
{
    const TPalette pal = {{'y', qRgb(255, 220, 70)}, {'Y', qRgb(200, 150, 30)}, {'k', Pupil},
                          {'r', qRgb(255, 80, 60)}};
    return MirrorRight(ArtImage({"............", "............", "..........yy", "........yyyy",
                                 "......yyyyyy", "....yyyyyyyy", "..yyyykyyyyy", "yyyyyyyyyyYY",
                                 ".YYyyyyyyyYY", "...YYyyyyyYY", ".....YYYyyYY", "........YYYr",
                                 "...........r", "...........r", "............", "............"},
                                pal, 4));
}

} // namespace

std::vector<QImage> DefaultFleet()
{
    return {Saucer(), Crab(), Squid(), Fighter(), Ray()};
}
