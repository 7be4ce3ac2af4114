#include "DesignAssets.h"
#include "GifWriter.h"
#include "WaveSynth.h"

#include "design/DesignLayout.h"

#include <QImageReader>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

// The play field colour; bitmaps use it as their see-through colour too, so
// the soft edges of the photos blend into the field.
const QRgb Field = qRgb(16, 6, 40);
const QRgb Key = qRgb(255, 0, 255);

int ColorRef(QRgb c) { return qRed(c) | (qGreen(c) << 8) | (qBlue(c) << 16); }

QImage NeonShip()
{
    const TPalette pal = {{'m', qRgb(255, 60, 220)}, {'M', qRgb(150, 20, 140)}, {'c', qRgb(60, 240, 255)},
                          {'w', qRgb(255, 255, 255)}};
    return MirrorRight(ArtImage({"..........",
                                 "......mmmm",
                                 "....mmMMMM",
                                 "...mMMcccc",
                                 "..mMMcwwcc",
                                 ".mMMMccccc",
                                 "mMMMMMMMMM",
                                 "mMcMMcMMcM",
                                 "mMMMMMMMMM",
                                 ".mmmmmmmmm",
                                 "..m..m...m",
                                 ".m..m...m.",
                                 "m...m..m..",
                                 "c..c...c..",
                                 "..........",
                                 ".........."},
                                pal, 4));
}

QImage NeonCanon()
{
    const TPalette pal = {{'c', qRgb(60, 240, 255)}, {'C', qRgb(20, 120, 180)}, {'w', qRgb(255, 255, 255)},
                          {'m', qRgb(255, 60, 220)}};
    return MirrorRight(ArtImage({"........ww",
                                 "........wc",
                                 "........wc",
                                 "........wc",
                                 ".......ccc",
                                 "......cCCC",
                                 "....ccCCCC",
                                 "...cCCCCCC",
                                 "..cCCmCCCC",
                                 ".cCCCCCCmC",
                                 "cCCCCCCCCC",
                                 "cccccccccc",
                                 ".m.m.m.m.m",
                                 "..........",
                                 "..........",
                                 ".........."},
                                pal, 2));
}

std::vector<QImage> PlasmaOrb()
{
    const TPalette pal = {{'p', qRgb(255, 80, 200)}, {'P', qRgb(170, 30, 160)}, {'w', qRgb(255, 255, 255)},
                          {'c', qRgb(160, 250, 255)}};
    return {ArtImage({"..p..", ".pwp.", "pwcwp", ".pwp.", "..P..", "..p..", ".....", "..P.."}, pal, 2),
            ArtImage({"..P..", ".pcp.", "pcwcp", ".pcp.", "..p..", "..P..", "..p..", "....."}, pal, 2),
            ArtImage({"..p..", ".pwp.", "pwwwp", ".pwp.", "..p..", ".....", "..P..", "..p.."}, pal, 2)};
}

std::vector<QImage> LaserBolt()
{
    const TPalette pal = {{'c', qRgb(60, 240, 255)}, {'w', qRgb(255, 255, 255)}, {'b', qRgb(30, 120, 255)}};
    std::vector<const char *> a = {".b.b.", ".cwc.", ".cwc.", ".cwc.", ".cwc.", ".cwc.", "..w..",
                                   ".cwc.", "..c..", ".cwc.", "..b..", ".....", "..b..", "....."};
    std::vector<const char *> b = {"..b..", ".cwc.", ".cwc.", ".cwc.", ".cwc.", ".cwc.", ".cwc.",
                                   "..w..", ".cwc.", "..c..", ".....", "..b..", ".....", "..b.."};
    return {ArtImage(a, pal, 2), ArtImage(b, pal, 2)};
}

std::vector<QRgb> NeonHeat()
{
    return {qRgb(255, 255, 255), qRgb(200, 255, 255), qRgb(60, 240, 255), qRgb(120, 160, 255),
            qRgb(255, 60, 220),  qRgb(190, 40, 200),  qRgb(110, 30, 150), qRgb(60, 20, 90)};
}

// A painted portrait of one of the neon creatures that fly the ships.
QImage Photo(int k)
{
    QImage img(88, 72, QImage::Format_RGB32);
    img.fill(Field);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor hues[] = {QColor(255, 70, 210), QColor(70, 230, 255), QColor(180, 255, 90), QColor(255, 170, 60)};
    const QColor hue = hues[(k - 1) % 4];
    QRadialGradient skin(36, 26, 44);
    skin.setColorAt(0, hue.lighter(160));
    skin.setColorAt(1, hue.darker(220));
    p.setPen(QPen(hue.lighter(130), 2));
    p.setBrush(skin);
    // Each creature has its own head shape and number of eyes.
    QPainterPath head;
    if (k % 2)
        head.addEllipse(QRectF(12, 10, 64, 54));
    else
        head.addRoundedRect(QRectF(14, 8, 60, 58), 18, 26);
    p.drawPath(head);
    p.drawLine(QPointF(30, 12), QPointF(22, 2));
    p.drawLine(QPointF(58, 12), QPointF(66, 2));
    p.setBrush(hue.lighter(170));
    p.drawEllipse(QPointF(22, 3), 3, 3);
    p.drawEllipse(QPointF(66, 3), 3, 3);
    const int eyes = 1 + (k - 1) % 3;
    for (int e = 0; e < eyes; ++e) {
        const double x = 44 + (e - (eyes - 1) / 2.0) * 18;
        p.setPen(QPen(QColor(20, 10, 40), 1.5));
        p.setBrush(QColor(250, 250, 255));
        p.drawEllipse(QPointF(x, 32), 7, 8);
        p.setBrush(QColor(20, 10, 40));
        p.drawEllipse(QPointF(x + 1.5, 33), 3, 4);
    }
    p.setPen(QPen(QColor(30, 10, 40), 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(32, 38, 24, 16), 200 * 16, 140 * 16);
    p.end();
    if (img.pixel(0, img.height() - 1) != (Field | 0xFF000000u))
        throw std::runtime_error("photo corner is not the see-through colour");
    return img;
}

QSize SizeOf(const QString &path)
{
    const QSize size = QImageReader(path).size();
    if (!size.isValid())
        throw std::runtime_error(QStringLiteral("%1: cannot read").arg(path).toStdString());
    return size;
}

void MakeSounds(const QString &dir)
{
    using W = TSynth::Wave;
    TSynth zap; // laser zap
    zap.Tone(0, 0.2, 2400, 600, W::Sine, 0.5, 2);
    zap.Tone(0, 0.2, 1200, 300, W::Square, 0.2, 3);
    WriteWave(dir + QStringLiteral("Sound1.wav"), zap.ToUnsigned8());
    TSynth pop; // glassy pop with a shimmer
    pop.Noise(0, 0.25, 0.9, 0.5, 5);
    for (int i = 0; i < 4; ++i)
        pop.Note(0.03 + i * 0.05, 0.12, 19 - i * 5, W::Sine, 0.4);
    WriteWave(dir + QStringLiteral("Sound2.wav"), pop.ToUnsigned8());
    TSynth jingle; // synth arpeggio
    const int tune[] = {0, 4, 7, 12, 16, 19, 24, 19, 24};
    for (int i = 0; i < 9; ++i) {
        jingle.Note(i * 0.08, i == 8 ? 0.4 : 0.09, tune[i], W::Sine, 0.45);
        jingle.Note(i * 0.08, i == 8 ? 0.4 : 0.09, tune[i] - 12, W::Square, 0.15);
    }
    WriteWave(dir + QStringLiteral("Sound7.wav"), jingle.ToUnsigned8());
}

} // namespace

void MakeNeonDesign(const QString &dir, const QString &defaultDir)
{
    const int photoCount = 4;
    QSize big = NeonShip().size();
    for (int k = 1; k <= photoCount; ++k) {
        const QImage photo = Photo(k);
        if (!photo.save(dir + QStringLiteral("Photo_%1.bmp").arg(k), "BMP"))
            throw std::runtime_error("cannot write a photo");
        big = big.expandedTo(photo.size());
    }
    WriteGif(dir + QStringLiteral("Image1.gif"), {PlasmaOrb(), 10, true});
    SaveBitmap(dir + QStringLiteral("Image2.bmp"), NeonCanon(), Key);
    WriteGif(dir + QStringLiteral("Image5.gif"), {LaserBolt(), 10, true});
    SaveBitmap(dir + QStringLiteral("Image6.bmp"), NeonShip(), Key);
    WriteGif(dir + QStringLiteral("Image7.gif"), {ExplosionFrames(112, 88, 8, 4, NeonHeat(), 77), 10, true});
    MakeSounds(dir);

    TLayoutInput in;
    in.ShipWidth = NeonShip().width();
    in.ShipHeight = NeonShip().height();
    in.CanonHeight = NeonCanon().height();
    in.CanonLeftHeight = SizeOf(defaultDir + QStringLiteral("Image3.bmp")).height();
    in.HomeHeight = SizeOf(defaultDir + QStringLiteral("Image4.bmp")).height();
    in.BigShipWidth = big.width();
    in.BigShipHeight = big.height();
    const TLayout layout = ComputeLayoutNumbers(in);
    // The inherited animations read their timing from this list, so it
    // repeats Default's values for them.
    SaveKeyList(dir + QStringLiteral("!design.ini"),
                {QStringLiteral("Version=Banana"),
                 QStringLiteral("Author=Snapstorm"),
                 QStringLiteral("Info=Glowing creatures on a deep violet field. Shows how a design "
                                "borrows everything it does not carry from Default."),
                 QStringLiteral("BackgroundColor=%1").arg(ColorRef(Field)),
                 QStringLiteral("AnimationDelay1=0"), QStringLiteral("AnimationLoop1=1"),
                 QStringLiteral("AnimationDelay5=0"), QStringLiteral("AnimationLoop5=1"),
                 QStringLiteral("AnimationDelay7=0"), QStringLiteral("AnimationLoop7=1"),
                 QStringLiteral("AnimationDelay8=1"), QStringLiteral("AnimationLoop8=1"),
                 QStringLiteral("AnimationDelay9=1"), QStringLiteral("AnimationLoop9=0"),
                 QStringLiteral("AnimationDelay10=0"), QStringLiteral("AnimationLoop10=0"),
                 QStringLiteral("AnimationDelay11=1"), QStringLiteral("AnimationLoop11=0"),
                 QStringLiteral("AnimationDelay12=0"), QStringLiteral("AnimationLoop12=0"),
                 QStringLiteral("PhotoCount=%1").arg(photoCount),
                 QStringLiteral("BigShipWidth=%1").arg(layout.BigShipWidth),
                 QStringLiteral("BigShipHeight=%1").arg(layout.BigShipHeight),
                 QStringLiteral("ClientWidth=%1").arg(layout.ClientWidth),
                 QStringLiteral("ClientHeight=%1").arg(layout.ClientHeight)});
}
