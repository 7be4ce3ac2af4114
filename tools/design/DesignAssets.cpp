#include "DesignAssets.h"

#include <QFile>

#include <cmath>
#include <stdexcept>

void SaveBitmap(const QString &path, const QImage &art, QRgb key)
{
    if (!KeyedBitmap(art, key).save(path, "BMP"))
        throw std::runtime_error(QStringLiteral("%1: cannot write").arg(path).toStdString());
}

void SaveKeyList(const QString &path, const QStringList &lines)
{
    QFile file(path);
    const QByteArray text = (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        throw std::runtime_error(QStringLiteral("%1: cannot write").arg(path).toStdString());
}

TLayout SaveFieldPictures(const QString &dir, const QImage &ship, const QImage &canon, const QImage &canonLeft,
                          const QImage &home)
{
    SaveBitmap(dir + QStringLiteral("Image2.bmp"), canon, SeeThrough);
    SaveBitmap(dir + QStringLiteral("Image3.bmp"), canonLeft, SeeThrough);
    SaveBitmap(dir + QStringLiteral("Image4.bmp"), home, SeeThrough);
    SaveBitmap(dir + QStringLiteral("Image6.bmp"), ship, SeeThrough);
    TLayoutInput in;
    in.ShipWidth = ship.width();
    in.ShipHeight = ship.height();
    in.CanonHeight = canon.height();
    in.CanonLeftHeight = canonLeft.height();
    in.HomeHeight = home.height();
    return ComputeLayoutNumbers(in);
}

void SaveBackground(const QString &dir, const QImage &background)
{
    if (!background.save(dir + QStringLiteral("Image0.bmp"), "BMP"))
        throw std::runtime_error(QStringLiteral("%1Image0.bmp: cannot write").arg(dir).toStdString());
}

void SavePhotos(const QString &dir, const std::vector<QImage> &photos)
{
    for (std::size_t k = 0; k < photos.size(); ++k)
        SaveBitmap(dir + QStringLiteral("Photo_%1.bmp").arg(k + 1), photos[k], SeeThrough);
}

void SaveSounds(const QString &dir, const std::array<const TSynth *, 7> &cues)
{
    for (std::size_t n = 0; n < cues.size(); ++n)
        WriteWave(dir + QStringLiteral("Sound%1.wav").arg(n + 1), cues[n]->ToUnsigned8());
}

void SaveDesignIni(const QString &dir, const QString &info, const std::vector<std::pair<int, int>> &delays,
                   int photoCount, const TLayout &layout)
{
    QStringList lines = {QStringLiteral("Version=Banana"), QStringLiteral("Author=Snapstorm"),
                         QStringLiteral("Info=") + info};
    for (const auto &[picture, delay] : delays)
        lines << QStringLiteral("AnimationDelay%1=%2").arg(picture).arg(delay)
              << QStringLiteral("AnimationLoop%1=%2").arg(picture).arg(picture >= 9 ? 0 : 1);
    lines << QStringLiteral("PhotoCount=%1").arg(photoCount)
          << QStringLiteral("BigShipWidth=%1").arg(layout.BigShipWidth)
          << QStringLiteral("BigShipHeight=%1").arg(layout.BigShipHeight)
          << QStringLiteral("ClientWidth=%1").arg(layout.ClientWidth)
          << QStringLiteral("ClientHeight=%1").arg(layout.ClientHeight);
    SaveKeyList(dir + QStringLiteral("!design.ini"), lines);
}

std::vector<QImage> ExplosionFrames(int width, int height, int frames, int block,
                                    const std::vector<QRgb> &heat, std::uint32_t seed)
{
    TToolRandom random(seed);
    const int cols = width / block, rows = height / block;
    std::vector<double> jitter(cols * rows);
    for (double &j : jitter)
        j = random.Unit();
    struct TSpark { double Angle, Speed; };
    std::vector<TSpark> sparks(28);
    for (TSpark &s : sparks)
        s = {random.Unit() * 2 * M_PI, 0.5 + random.Unit() * 0.5};

    const double cx = cols / 2.0, cy = rows / 2.0, maxR = std::min(cx, cy);
    const int last = int(heat.size()) - 1;
    std::vector<QImage> out;
    for (int f = 0; f < frames; ++f) {
        const double t = double(f) / (frames - 1);
        QImage img = BlankImage(width, height);
        // The fireball swells fast, then thins out from the inside.
        const double radius = maxR * (0.35 + 0.65 * std::sqrt(t));
        const double hollow = t < 0.5 ? 0 : radius * (t - 0.5) * 1.6;
        for (int by = 0; by < rows; ++by) {
            for (int bx = 0; bx < cols; ++bx) {
                const double d = std::hypot(bx + 0.5 - cx, (by + 0.5 - cy) * 1.15);
                const double j = jitter[by * cols + bx];
                if (d > radius * (0.75 + 0.25 * j) || d < hollow * (0.8 + 0.4 * j))
                    continue;
                const double h = t * 1.1 + d / radius * 0.45 + j * 0.25;
                const int idx = std::min(last, int(h * last));
                if (t > 0.8 && j < (t - 0.8) * 4)
                    continue; // the cloud breaks up at the end
                FillBlock(img, bx * block, by * block, block, block, heat[idx]);
            }
        }
        for (const TSpark &s : sparks) {
            const double r = maxR * (0.3 + 1.1 * t) * s.Speed;
            const int x = int(cx + std::cos(s.Angle) * r), y = int(cy + std::sin(s.Angle) * r * 0.85);
            const int idx = std::min(last, int((t * 0.9 + 0.1) * last));
            FillBlock(img, x * block, y * block, block, block, heat[idx]);
        }
        out.push_back(img);
    }
    return out;
}
