// Writes the seed corpus of every fuzz target from the shipped designs and
// language files (themselves made by the build) and from pictures and
// waves drawn here with the program's own writers.
//   make_fuzz_seeds <design root> <asset folder> <corpus folder>
#include "design/DesignFolder.h"
#include "exchange/ZipWriter.h"
#include "gif/GifImage.h"
#include "sprites/Picture.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QtEndian>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace {

// Seeds stay small: libFuzzer mutates small inputs far faster.
constexpr qint64 kMaxSeed = 48 * 1024;

QString gOut;

void Put(const QString &target, const QString &name, const QByteArray &bytes)
{
    QDir().mkpath(gOut + target);
    QFile file(gOut + target + QLatin1Char('/') + name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error(("cannot write " + file.fileName()).toStdString());
}

QByteArray Read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Small files of `dir` matching `filter`, by name.
QStringList SmallFiles(const QString &dir, const QString &filter)
{
    QStringList found;
    for (const QFileInfo &info : QDir(dir).entryInfoList({filter}, QDir::Files, QDir::Name)) {
        if (info.size() <= kMaxSeed)
            found.append(info.absoluteFilePath());
    }
    return found;
}

QImage Art(int width, int height, QImage::Format format)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setBrush(Qt::red);
    painter.drawEllipse(1, 1, width - 3, height - 3);
    painter.fillRect(width / 3, height / 3, width / 3, height / 3, QColor(0, 0, 255, 128));
    painter.end();
    return image.convertToFormat(format);
}

QByteArray Encoded(const QImage &image, const char *format, int quality = -1, bool progressive = false)
{
    const QString path = QDir::temp().filePath(QStringLiteral("seed.") + QLatin1String(format));
    QImageWriter writer(path, format);
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    if (!writer.write(image))
        return {};
    QByteArray bytes = Read(path);
    QFile::remove(path);
    return bytes;
}

QByteArray SavedPicture(const QImage &image, const char *suffix)
{
    const QString path = QDir::temp().filePath(QStringLiteral("seed.") + QLatin1String(suffix));
    TPicture::FromImage(image).SaveToFile(path);
    QByteArray bytes = Read(path);
    QFile::remove(path);
    return bytes;
}

QByteArray Wave(int channels, int rate, int bits, int frames)
{
    const int blockAlign = channels * bits / 8;
    QByteArray data;
    for (int i = 0; i < frames * channels; ++i) {
        const int level = (i / channels) % 40 < 20 ? 1 : -1;
        if (bits == 8) {
            data.append(char(128 + level * 60));
        } else {
            char sample[2];
            qToLittleEndian<qint16>(qint16(level * 12000), sample);
            data.append(sample, 2);
        }
    }
    auto le32 = [](quint32 v) { char b[4]; qToLittleEndian(v, b); return QByteArray(b, 4); };
    auto le16 = [](quint16 v) { char b[2]; qToLittleEndian(v, b); return QByteArray(b, 2); };
    const QByteArray fmt = le16(1) + le16(quint16(channels)) + le32(quint32(rate))
                           + le32(quint32(rate * blockAlign)) + le16(quint16(blockAlign))
                           + le16(quint16(bits));
    const QByteArray body = "WAVE" + ("fmt " + le32(quint32(fmt.size())) + fmt)
                            + ("data" + le32(quint32(data.size())) + data);
    return "RIFF" + le32(quint32(body.size())) + body;
}

QByteArray DesignContainer(const QByteArray &ini, const QList<QPair<QString, QByteArray>> &files)
{
    QByteArray out = ini;
    for (const auto &[name, bytes] : files)
        out += "\n#!file:" + name.toLatin1() + '\n' + bytes;
    return out;
}

void GifSeeds(const QString &designRoot)
{
    for (const QString &dir : {QStringLiteral("Default"), QStringLiteral("Neon")}) {
        for (const QString &path : SmallFiles(designRoot + dir, QStringLiteral("*.gif")))
            Put(QStringLiteral("gif"), dir + QLatin1Char('_') + QFileInfo(path).fileName(), Read(path));
    }
    Put(QStringLiteral("gif"), QStringLiteral("written.gif"),
        TGifImage::FromImage(Art(24, 16, QImage::Format_ARGB32)).Encode());
}

void PictureSeeds(const QString &designRoot)
{
    for (const QString &path : SmallFiles(designRoot + QStringLiteral("Default"), QStringLiteral("*.bmp")))
        Put(QStringLiteral("picture"), QFileInfo(path).fileName(), Read(path));
    const QImage art = Art(24, 16, QImage::Format_ARGB32);
    Put(QStringLiteral("picture"), QStringLiteral("written.gif"), SavedPicture(art, "gif"));
    Put(QStringLiteral("picture"), QStringLiteral("written.bmp"), SavedPicture(art, "bmp"));
    const struct { const char *name; QImage::Format format; } bitmaps[] = {
        {"mono.bmp", QImage::Format_Mono}, {"indexed.bmp", QImage::Format_Indexed8},
        {"rgb24.bmp", QImage::Format_RGB888}, {"argb32.bmp", QImage::Format_ARGB32}};
    for (const auto &b : bitmaps)
        Put(QStringLiteral("picture"), QLatin1String(b.name), Encoded(Art(24, 16, b.format), "bmp"));
    Put(QStringLiteral("picture"), QStringLiteral("art.png"), Encoded(art, "png"));
    Put(QStringLiteral("picture"), QStringLiteral("art.ico"), Encoded(art, "ico"));
    Put(QStringLiteral("picture"), QStringLiteral("art.jpg"), Encoded(art.convertToFormat(QImage::Format_RGB32), "jpg", 60));
    Put(QStringLiteral("picture"), QStringLiteral("progressive.jpg"),
        Encoded(art.convertToFormat(QImage::Format_RGB32), "jpg", 60, true));
}

void WaveSeeds(const QString &designRoot)
{
    Put(QStringLiteral("wave"), QStringLiteral("mono8_11025.wav"), Wave(1, 11025, 8, 300));
    Put(QStringLiteral("wave"), QStringLiteral("stereo16_22050.wav"), Wave(2, 22050, 16, 300));
    Put(QStringLiteral("wave"), QStringLiteral("mono16_44100.wav"), Wave(1, 44100, 16, 300));
    Put(QStringLiteral("wave"), QStringLiteral("stereo8_8000.wav"), Wave(2, 8000, 8, 300));
    for (const QString &path : SmallFiles(designRoot + QStringLiteral("Default"), QStringLiteral("*.wav")))
        Put(QStringLiteral("wave"), QFileInfo(path).fileName(), Read(path));
}

void TextSeeds(const QString &designRoot, const QString &assets)
{
    for (const QString &path : SmallFiles(assets, QStringLiteral("*.lng"))) {
        Put(QStringLiteral("language"), QFileInfo(path).fileName(), Read(path));
        Put(QStringLiteral("ini"), QFileInfo(path).fileName(), Read(path));
    }
    for (const QString &path : SmallFiles(assets, QStringLiteral("MIXER.INI")))
        Put(QStringLiteral("ini"), QStringLiteral("MIXER.INI"), Read(path));
    for (const QString &dir : {QStringLiteral("Default"), QStringLiteral("Neon")})
        Put(QStringLiteral("ini"), dir + QStringLiteral("_design.ini"),
            Read(designRoot + dir + QStringLiteral("/!design.ini")));
    // A settings file as the game writes it, plus one hand-edited line in
    // the old single-byte code page.
    Put(QStringLiteral("ini"), QStringLiteral("settings.ini"),
        "Language=english.lng\nDesign=Neon\nSound=1\nLastScore=000000001230;J\xc3\xb6rg;Neon\n"
        "Score=000000000450;Ann;Default\nScore=000000001230;J\xc3\xb6rg;Neon\n"
        "; edited by M\xfcller\n");
}

void DesignSeeds(const QString &designRoot)
{
    const QString neon = designRoot + QStringLiteral("Neon/");
    QList<QPair<QString, QByteArray>> neonFiles;
    for (const QString &path : SmallFiles(neon, QStringLiteral("*"))) {
        const QString name = QFileInfo(path).fileName();
        if (name.compare(QStringLiteral("!design.ini"), Qt::CaseInsensitive) != 0 && neonFiles.size() < 6)
            neonFiles.append({name, Read(path)});
    }
    Put(QStringLiteral("design"), QStringLiteral("neon"),
        DesignContainer(Read(neon + QStringLiteral("!design.ini")), neonFiles));
    Put(QStringLiteral("design"), QStringLiteral("default_ini"),
        Read(designRoot + QStringLiteral("Default/!design.ini")));
    const QImage photo = Art(40, 30, QImage::Format_RGB32);
    Put(QStringLiteral("design"), QStringLiteral("photos"),
        DesignContainer("Version=Banana\r\nPhotoCount=2\r\nBigShipWidth=40\r\nBigShipHeight=30\r\n",
                        {{QStringLiteral("Photo_1.bmp"), SavedPicture(photo, "bmp")},
                         {QStringLiteral("Photo_2.bmp"), Encoded(Art(20, 20, QImage::Format_Indexed8), "bmp")}}));
    Put(QStringLiteral("design"), QStringLiteral("pictures_sound"),
        DesignContainer("Version=Banana\r\nBackgroundColor=16711680\r\nAnimationDelay6=2\r\nAnimationLoop6=1\r\n",
                        {{QStringLiteral("Image6.gif"), SavedPicture(Art(30, 20, QImage::Format_ARGB32), "gif")},
                         {QStringLiteral("Image2.bmp"), SavedPicture(Art(30, 20, QImage::Format_RGB32), "bmp")},
                         {QStringLiteral("Sound1.wav"), Wave(1, 11025, 8, 200)}}));
}

} // namespace

// Small design archives, deflated and stored, as the exporter writes them.
void ImportSeeds(const QString &designRoot)
{
    const QString dir = QDir::temp().filePath(QStringLiteral("snapstorm-seed-design/"));
    QDir(dir).removeRecursively();
    QDir().mkpath(dir);
    QFile ini(dir + QLatin1String(DesignIniName));
    if (!ini.open(QIODevice::WriteOnly) || ini.write("Author=seed\r\nPhotoCount=0\r\n") < 0)
        throw std::runtime_error("cannot write the seed design");
    ini.close();
    const QStringList gifs = SmallFiles(designRoot + QStringLiteral("Default"), QStringLiteral("Image*.gif"));
    for (const QString &path : gifs.mid(0, 2))
        QFile::copy(path, dir + QFileInfo(path).fileName());
    QFile wave(dir + QStringLiteral("Sound1.wav"));
    if (!wave.open(QIODevice::WriteOnly) || wave.write(Wave(1, 11025, 8, 400)) < 0)
        throw std::runtime_error("cannot write the seed sound");
    wave.close();
    const QStringList files = RegularFilesMatching(dir + QStringLiteral("*"));
    for (const int level : {9, 0}) {
        const QString archive = QDir::temp().filePath(QStringLiteral("snapstorm-seed.zip"));
        WriteZipArchive(archive, files, level);
        Put(QStringLiteral("import"), QStringLiteral("level%1.zip").arg(level), Read(archive));
        QFile::remove(archive);
    }
    QDir(dir).removeRecursively();
}

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <design root> <asset folder> <corpus folder>\n", argv[0]);
        return 2;
    }
    try {
        const QString designRoot = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + QLatin1Char('/');
        const QString assets = QDir(QString::fromLocal8Bit(argv[2])).absolutePath() + QLatin1Char('/');
        gOut = QDir(QString::fromLocal8Bit(argv[3])).absolutePath() + QLatin1Char('/');
        GifSeeds(designRoot);
        PictureSeeds(designRoot);
        WaveSeeds(designRoot);
        TextSeeds(designRoot, assets);
        DesignSeeds(designRoot);
        ImportSeeds(designRoot);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "make_fuzz_seeds: %s\n", e.what());
        return 1;
    }
    return 0;
}
