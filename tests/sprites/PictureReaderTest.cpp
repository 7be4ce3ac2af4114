#include "sprites/PictureReader.h"

#include "TestPictures.h"
#include "support/ExifPictures.h"
#include "support/TempDir.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

std::string ErrorOf(const QString &path)
{
    try {
        LoadPicture(path);
    } catch (const EPictureError &e) {
        return e.what();
    }
    return "no error";
}

QByteArray Encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 95);
    return bytes;
}

void PutLong(QByteArray &bytes, int at, qint32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = char((value >> (8 * i)) & 0xFF);
}

void PutWord(QByteArray &bytes, int value)
{
    bytes.append(char(value & 0xFF));
    bytes.append(char((value >> 8) & 0xFF));
}

void PutDword(QByteArray &bytes, quint32 value)
{
    PutWord(bytes, int(value & 0xFFFF));
    PutWord(bytes, int(value >> 16));
}

// A bitmap with the info header of its compression (bit fields get the
// 108-byte one with an alpha mask); `pixels` are the stored rows, bottom row first.
QByteArray Bmp(int width, int height, int bits, int compression, const QByteArray &palette,
               const QByteArray &pixels)
{
    const bool fields = compression == 3;
    const int infoSize = fields ? 108 : 40;
    QByteArray bytes("BM");
    const int offset = 14 + infoSize + int(palette.size());
    PutDword(bytes, quint32(offset + pixels.size()));
    PutDword(bytes, 0);
    PutDword(bytes, quint32(offset));
    for (quint32 value : {quint32(infoSize), quint32(width), quint32(height)})
        PutDword(bytes, value);
    PutWord(bytes, 1);
    PutWord(bytes, bits);
    for (quint32 value : {quint32(compression), quint32(pixels.size()), 2835u, 2835u,
                          quint32(palette.size() / 4), 0u})
        PutDword(bytes, value);
    if (fields) {
        for (quint32 mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u, 0x73524742u})
            PutDword(bytes, mask);
        bytes.append(QByteArray(48, '\0'));
    }
    return bytes + palette + pixels;
}

QImage Quarters()
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(qRgb(250, 250, 250));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            image.setPixel(x, y, qRgb(200, 20, 20));
    return image;
}

} // namespace

TEST(PictureReader, LoadsEachKindByItsExtensionInAnyCase)
{
    TempDir dir;
    const QImage image = Quarters();
    dir.Write("a.BMP", Encoded(image, "BMP"));
    dir.Write("b.png", Encoded(image, "PNG"));
    dir.Write("c.Jpg", Encoded(image, "JPG"));
    dir.Write("d.jpeg", Encoded(image, "JPG"));
    dir.Write("e.ico", Encoded(image, "ICO"));
    MakeGif(2, 16, 16).SaveToFile(dir.File("f.GIF"));

    for (const char *name : {"a.BMP", "b.png", "c.Jpg", "d.jpeg", "e.ico"}) {
        const TPicture picture = LoadPicture(dir.File(name));
        ASSERT_TRUE(picture.IsBitmap()) << name;
        EXPECT_EQ(picture.Size(), QSize(16, 16)) << name;
        const QRgb corner = picture.Bitmap().pixel(2, 2);
        EXPECT_NEAR(qRed(corner), 200, 12) << name;
        EXPECT_NEAR(qGreen(corner), 20, 12) << name;
        EXPECT_NEAR(qGreen(picture.Bitmap().pixel(13, 13)), 250, 12) << name;
    }
    const TPicture gif = LoadPicture(dir.File("f.GIF"));
    EXPECT_TRUE(gif.IsGif());
    EXPECT_EQ(gif.FrameCount(), 2);
}

TEST(PictureReader, ReadsGreyJpegs)
{
    TempDir dir;
    dir.Write("grey.jpg", Encoded(Quarters().convertToFormat(QImage::Format_Grayscale8), "JPG"));
    const TPicture picture = LoadPicture(dir.File("grey.jpg"));
    const QRgb dark = picture.Bitmap().pixel(2, 2);
    EXPECT_EQ(qRed(dark), qGreen(dark));
    EXPECT_LT(qRed(dark), 120);
}

TEST(PictureReader, MissingUnknownAndMetafilesAreRefusedNamingTheFile)
{
    TempDir dir;
    dir.Write("notes.txt", "hello");
    dir.Write("drawing.EMF", "not really");
    dir.Write("old.wmf", "not really");
    for (const QString &name : {QStringLiteral("notes.txt"), QStringLiteral("drawing.EMF"),
                                QStringLiteral("old.wmf"), QStringLiteral("gone.bmp"),
                                QStringLiteral("gone.jpg"), QStringLiteral("gone.gif")}) {
        const std::string message = ErrorOf(dir.File(name));
        EXPECT_NE(message.find(name.toStdString()), std::string::npos) << message;
    }
    EXPECT_NE(ErrorOf(dir.File("old.wmf")).find("metafile"), std::string::npos);
    EXPECT_NE(ErrorOf(dir.File("gone.bmp")).find("does not exist"), std::string::npos);
}

TEST(PictureReader, DamagedFilesGiveErrorsNamingTheFile)
{
    TempDir dir;
    QImage noisy(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            noisy.setPixel(x, y, qRgb((x * 37 + y * 11) % 256, (x * y) % 256, (x ^ y) * 4 % 256));
    const QByteArray jpeg = Encoded(noisy, "JPG");
    dir.Write("cut.jpg", jpeg.left(jpeg.size() - 400));
    dir.Write("headless.jpg", jpeg.left(100));
    dir.Write("junk.jpg", "this is no JPEG at all");
    dir.Write("empty.jpg", "");
    dir.Write("junk.bmp", "BM this is no bitmap");
    dir.Write("junk.png", "\x89PNG broken");
    dir.Write("junk.gif", "GIF89a");
    for (const char *name : {"cut.jpg", "headless.jpg", "junk.jpg", "empty.jpg", "junk.bmp", "junk.png", "junk.gif"}) {
        const std::string message = ErrorOf(dir.File(name));
        EXPECT_NE(message.find(name), std::string::npos) << name << ": " << message;
    }
    EXPECT_NE(ErrorOf(dir.File("cut.jpg")).find("ends too soon"), std::string::npos) << ErrorOf(dir.File("cut.jpg"));
}

TEST(PictureReader, CutBitmapsAreDamagedPictures)
{
    TempDir dir;
    const QByteArray plain = Encoded(Quarters(), "BMP");
    dir.Write("cut.bmp", plain.left(plain.size() - 10));
    // Run-length rows: two pixels of colour 1, end of line, twice, then end of bitmap.
    const QByteArray palette("\0\0\0\0\xFF\xFF\xFF\0", 8);
    const QByteArray rle = Bmp(2, 2, 8, 1, palette, QByteArray("\2\1\0\0\2\1\0\1", 8));
    dir.Write("rle.bmp", rle.left(rle.size() - 4));
    for (const char *name : {"cut.bmp", "rle.bmp"}) {
        const std::string message = ErrorOf(dir.File(name));
        EXPECT_NE(message.find(name), std::string::npos) << message;
        EXPECT_NE(message.find("ends"), std::string::npos) << message;
    }
    dir.Write("whole.bmp", rle);
    EXPECT_EQ(LoadPicture(dir.File("whole.bmp")).Bitmap().pixel(1, 1), qRgb(255, 255, 255));
}

TEST(PictureReader, TrueColourBitmapsReadAsQtReadsThem)
{
    TempDir dir;
    // Widths that need 0 to 3 bytes of row padding, rows stored either way up.
    for (int width = 1; width <= 5; ++width) {
        for (bool topDown : {false, true}) {
            QByteArray pixels;
            const int rowBytes = (width * 3 + 3) / 4 * 4;
            for (int i = 0; i < rowBytes * 3; ++i)
                pixels.append(char(i * 37 + width));
            QByteArray bytes = Bmp(width, 3, 24, 0, {}, pixels);
            if (topDown)
                PutLong(bytes, 22, -3);
            const QString path = dir.Write(QStringLiteral("p%1%2.bmp").arg(width).arg(topDown), bytes);
            const QImage expected = QImageReader(path, "bmp").read();
            const QImage image = LoadPicture(path).Bitmap();
            EXPECT_EQ(image.format(), expected.format()) << width << topDown;
            EXPECT_EQ(image, expected) << width << topDown;
        }
    }
}

TEST(PictureReader, ThirtyTwoBitBitmapWithoutAlphaIsOpaqueWithTheBottomLeftKey)
{
    TempDir dir;
    // Blue-green-red-zero pixels; the bottom-left one magenta.
    QByteArray pixels;
    for (int i = 0; i < 4; ++i)
        pixels.append(i == 0 ? QByteArray("\xFF\0\xFF\0", 4) : QByteArray("\0\0\xC8\0", 4));
    dir.Write("fields.bmp", Bmp(2, 2, 32, 3, {}, pixels));
    const TPicture picture = LoadPicture(dir.File("fields.bmp"));
    QImage canvas(2, 2, QImage::Format_RGB32);
    canvas.fill(Qt::blue);
    QPainter painter(&canvas);
    picture.Draw(painter, 0, 0, 0, true);
    painter.end();
    EXPECT_EQ(canvas.pixel(0, 1), qRgb(0, 0, 255));
    EXPECT_EQ(canvas.pixel(1, 1), qRgb(200, 0, 0));
    EXPECT_EQ(canvas.pixel(0, 0), qRgb(200, 0, 0));
}

TEST(PictureReader, JpegWithEndlessScansIsRefused)
{
    TempDir dir;
    QByteArray progressive;
    QBuffer buffer(&progressive);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    ASSERT_TRUE(writer.write(Quarters()));
    dir.Write("fine.jpg", progressive);
    EXPECT_EQ(LoadPicture(dir.File("fine.jpg")).Size(), QSize(16, 16));

    // The last scan repeated 2000 times.
    const qsizetype scan = progressive.lastIndexOf("\xFF\xDA");
    const qsizetype end = progressive.lastIndexOf("\xFF\xD9");
    ASSERT_GT(end, scan);
    const QByteArray repeated = progressive.mid(scan, end - scan).repeated(2000);
    dir.Write("scans.jpg", progressive.left(scan) + repeated + progressive.mid(scan));
    const std::string message = ErrorOf(dir.File("scans.jpg"));
    EXPECT_NE(message.find("scans.jpg"), std::string::npos) << message;
    EXPECT_NE(message.find(" scans"), std::string::npos) << message;
}

TEST(PictureReader, AbsurdSizesAreRefusedBeforeReading)
{
    TempDir dir;
    // Headers that claim 60000 x 60000 pixels over a few bytes of data.
    QByteArray bmp = Encoded(SolidImage(2, 2, Qt::red), "BMP");
    PutLong(bmp, 18, 60000);
    PutLong(bmp, 22, 60000);
    dir.Write("huge.bmp", bmp);

    QByteArray jpeg = Encoded(SolidImage(8, 8, Qt::red), "JPG");
    const qsizetype sof = jpeg.indexOf("\xFF\xC0");
    ASSERT_GT(sof, 0);
    jpeg[sof + 5] = char(60000 >> 8);
    jpeg[sof + 6] = char(60000 & 0xFF);
    jpeg[sof + 7] = char(60000 >> 8);
    jpeg[sof + 8] = char(60000 & 0xFF);
    dir.Write("huge.jpg", jpeg);

    QByteArray gif = MakeGif(1, 2, 2).Gif()->Encode();
    gif[6] = char(60000 & 0xFF);
    gif[7] = char(60000 >> 8);
    gif[8] = char(60000 & 0xFF);
    gif[9] = char(60000 >> 8);
    dir.Write("huge.gif", gif);

    for (const char *name : {"huge.bmp", "huge.jpg", "huge.gif"}) {
        const std::string message = ErrorOf(dir.File(name));
        EXPECT_NE(message.find(name), std::string::npos) << message;
        EXPECT_NE(message.find("too large"), std::string::npos) << message;
    }
}

namespace {

// A portrait picture whose corners tell every turn and mirror apart.
QImage Portrait()
{
    QImage image(20, 30, QImage::Format_RGB32);
    image.fill(qRgb(250, 250, 250));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            image.setPixel(x, y, qRgb(220, 20, 20));            // top left: red
            image.setPixel(19 - x, y, qRgb(20, 20, 220));       // top right: blue
            image.setPixel(x, 29 - y, qRgb(20, 200, 20));       // bottom left: green
        }
    return image;
}

void ExpectUprightPortrait(const QImage &image, const QString &what)
{
    ASSERT_EQ(image.size(), QSize(20, 30)) << what.toStdString();
    const auto near = [&](QPoint at, QRgb want) {
        const QRgb got = image.pixel(at);
        EXPECT_NEAR(qRed(got), qRed(want), 40) << what.toStdString() << " at " << at.x() << "," << at.y();
        EXPECT_NEAR(qGreen(got), qGreen(want), 40) << what.toStdString() << " at " << at.x() << "," << at.y();
        EXPECT_NEAR(qBlue(got), qBlue(want), 40) << what.toStdString() << " at " << at.x() << "," << at.y();
    };
    near({3, 3}, qRgb(220, 20, 20));
    near({16, 3}, qRgb(20, 20, 220));
    near({3, 26}, qRgb(20, 200, 20));
    near({16, 26}, qRgb(250, 250, 250));
}

quint32 Crc32(const QByteArray &bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray BigEndian32(quint32 v)
{
    QByteArray bytes;
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.append(char((v >> shift) & 0xFF));
    return bytes;
}

QByteArray LittleEndian32(quint32 v)
{
    QByteArray bytes;
    for (int shift = 0; shift < 32; shift += 8)
        bytes.append(char((v >> shift) & 0xFF));
    return bytes;
}

// A PNG with an eXIf chunk right after its header chunk.
QByteArray PngWithExif(const QImage &image, int orientation)
{
    const QByteArray png = Encoded(image, "PNG");
    const QByteArray typed = "eXIf" + ExifTiff(orientation);
    const QByteArray chunk = BigEndian32(quint32(typed.size() - 4)) + typed + BigEndian32(Crc32(typed));
    return png.left(33) + chunk + png.mid(33);
}

// A WebP in the extended layout, with an EXIF chunk after the pixels.
QByteArray WebpWithExif(const QImage &image, int orientation)
{
    const QByteArray simple = Encoded(image, "WEBP");
    QByteArray vp8x("VP8X\x0a\0\0\0\x08\0\0\0", 12);
    for (const int side : {image.width() - 1, image.height() - 1})
        vp8x.append(LittleEndian32(quint32(side)).left(3));
    QByteArray exif = ExifTiff(orientation);
    QByteArray exifChunk = "EXIF" + LittleEndian32(quint32(exif.size())) + exif;
    if (exif.size() & 1)
        exifChunk.append('\0');
    const QByteArray body = "WEBP" + vp8x + simple.mid(12) + exifChunk;
    return "RIFF" + LittleEndian32(quint32(body.size())) + body;
}

} // namespace

TEST(PictureReader, PhotosComeOutUprightForEveryExifOrientation)
{
    TempDir dir;
    const QImage upright = Portrait();
    for (int orientation = 1; orientation <= 8; ++orientation) {
        const QImage stored = StoredFor(upright, orientation);
        const QString n = QString::number(orientation);
        const QString jpg = dir.Write("o" + n + ".jpg", JpegWithExif(stored, orientation));
        const QString png = dir.Write("o" + n + ".png", PngWithExif(stored, orientation));
        const QString webp = dir.Write("o" + n + ".webp", WebpWithExif(stored, orientation));
        // Qt's own reader agrees on what upright is.
        QImageReader qt(jpg);
        qt.setAutoTransform(true);
        ExpectUprightPortrait(qt.read(), "Qt " + jpg);
        for (const QString &path : {jpg, png, webp})
            ExpectUprightPortrait(LoadPicture(path).Bitmap(), path);
    }
    // TIFF keeps its orientation in a tag of its own.
    QImageWriter tiff(dir.File("o6.tiff"), "tiff");
    tiff.setTransformation(QImageIOHandler::TransformationRotate90);
    ASSERT_TRUE(tiff.write(StoredFor(upright, 6)));
    ExpectUprightPortrait(LoadPicture(dir.File("o6.tiff")).Bitmap(), "tiff");
}

TEST(PictureReader, HeicWebpAndTiffOpenAndTellTheirSizeBeforeDecoding)
{
    TempDir dir;
    dir.Write("portrait.png", Encoded(Portrait(), "PNG"));
    dir.Write("p.webp", Encoded(Portrait(), "WEBP"));
    dir.Write("p.TIF", Encoded(Portrait(), "TIFF"));
    dir.Write("p.jpg", Encoded(Portrait(), "JPG"));
    MakeGif(2, 20, 30).SaveToFile(dir.File("p.gif"));
    QStringList names{"p.webp", "p.TIF", "p.jpg", "p.gif"};
    const int encoded = QProcess::execute(QStringLiteral("heif-enc"),
                                          {"-q", "90", "-o", dir.File("p.heic"), dir.File("portrait.png")});
    if (encoded == 0)
        names << "p.heic";
    else
        ADD_FAILURE() << "heif-enc (libheif-examples) could not make a HEIC file";
    for (const QString &name : names) {
        qint64 declared = -1;
        const TPicture picture = LoadPicture(dir.File(name), [&](qint64 pixels) { declared = pixels; });
        EXPECT_EQ(declared, name == "p.gif" ? 2 * 20 * 30 : 20 * 30) << name.toStdString();
        EXPECT_EQ(picture.Size(), QSize(20, 30)) << name.toStdString();
        if (!picture.IsGif())
            ExpectUprightPortrait(picture.Bitmap(), name);
        // A refusal before decoding reaches the caller as it was thrown.
        EXPECT_THROW(LoadPicture(dir.File(name), [](qint64) { throw std::length_error("over budget"); }),
                     std::length_error) << name.toStdString();
    }
    EXPECT_TRUE(PictureExtensions().contains("heic"));
}

TEST(PictureReader, RefusalsTellTheirReasonApartFromTheirWording)
{
    TempDir dir;
    dir.Write("broken.heic", "not a HEIC picture");
    dir.Write("broken.webp", "RIFF....WEBPjunk");
    dir.Write("notes.txt", "hello");
    const auto problemOf = [&](const QString &name) {
        try {
            LoadPicture(dir.File(name));
        } catch (const EPictureError &e) {
            EXPECT_EQ(e.Path(), dir.File(name));
            EXPECT_NE(std::string(e.what()).find(name.toStdString()), std::string::npos) << e.what();
            return e.Problem();
        }
        return TPictureProblem::Other;
    };
    EXPECT_EQ(problemOf("broken.heic"), TPictureProblem::Damaged);
    EXPECT_EQ(problemOf("broken.webp"), TPictureProblem::Damaged);
    EXPECT_EQ(problemOf("notes.txt"), TPictureProblem::UnknownKind);
    EXPECT_EQ(problemOf("gone.png"), TPictureProblem::Missing);
}
