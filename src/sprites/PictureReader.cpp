#include "sprites/PictureReader.h"

#include "gif/GifImage.h"
#include "sprites/BmpHeader.h"
#include "sprites/BmpTrueColour.h"
#include "sprites/ExifOrientation.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace {

[[noreturn]] void FailTooLarge(const QString &path, qint64 width, qint64 height)
{
    throw EPictureError(path, TPictureProblem::TooLarge, {}, {QString::number(width), QString::number(height)});
}

// What keeps a BMP with these headers from being read; nothing when nothing.
std::optional<EPictureError> BmpHeaderProblem(const QString &path, const TBmpHeader &header, qint64 fileSize)
{
    if (header.Width > 0 && TGifImage::IsAbsurdSize(header.Width, header.Height))
        return EPictureError(path, TPictureProblem::TooLarge, {},
                             {QString::number(header.Width), QString::number(header.Height)});
    if (fileSize < header.FileSizeNeeded())
        return EPictureError(path, TPictureProblem::Damaged,
                             QStringLiteral("the file ends before its last row of pixels"));
    return std::nullopt;
}

// Qt may refuse a huge BMP for reasons of its own, and it draws the rows
// missing from a cut file black; reading the headers here tells the user
// what is actually wrong. Leaves the file at its start for the decoder.
std::optional<TBmpHeader> CheckBmpHeader(const QString &path, QFile &file)
{
    const std::optional<TBmpHeader> header = TBmpHeader::Parse(file.read(TBmpHeader::BytesNeeded));
    file.seek(0);
    if (!header)
        return header;
    if (const std::optional<EPictureError> problem = BmpHeaderProblem(path, *header, file.size()))
        throw *problem;
    return header;
}

// Many programs write 32-bit bitmaps with the fourth byte of every pixel 0;
// that is no alpha channel in use, and such a picture is meant to be seen.
QImage OpaqueUnlessAlphaInUse(QImage image)
{
    if (image.format() != QImage::Format_ARGB32)
        return image;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(line[x]) != 0)
                return image;
    }
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] |= 0xFF000000u;
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage ReadWithQt(const QString &path, const QByteArray &format, const TDeclaredPixelsCheck &beforeDecoding)
{
    // One open file for the header check and the decoder: a design with
    // many photos opens each of them only once here.
    QFile file(path);
    QImageReader reader;
    if (file.open(QIODevice::ReadOnly)) {
        const std::optional<TBmpHeader> bmp = format == "bmp" ? CheckBmpHeader(path, file) : std::nullopt;
        if (bmp && BmpTrueColour::Handles(*bmp, file.size())) {
            if (beforeDecoding)
                beforeDecoding(bmp->Width * bmp->Height);
            QImage image = BmpTrueColour::Decode(file.readAll(), *bmp);
            if (image.isNull())
                throw EPictureError(path, TPictureProblem::Damaged);
            return image;
        }
        reader.setDevice(&file);
    } else {
        reader.setFileName(path);
    }
    reader.setFormat(format);
    reader.setDecideFormatFromContent(false);
    // Qt turns TIFF pictures by their own orientation tag; PNG and WebP
    // carry EXIF data Qt does not look at, so that is read here.
    const bool chunks = format == "png" || format == "webp";
    reader.setAutoTransform(format == "tif" || format == "tiff");
    const int orientation = chunks && file.isOpen() ? ExifOrientation::FromChunks(file, format) : 1;
    // Our own limit (64 M pixels) is the one that counts; Qt's default sits right at it.
    reader.setAllocationLimit(512);
    const QSize size = reader.size();
    if (size.isValid() && TGifImage::IsAbsurdSize(size.width(), size.height()))
        FailTooLarge(path, size.width(), size.height());
    if (beforeDecoding && size.isValid())
        beforeDecoding(qint64(size.width()) * size.height());
    QImage image = reader.read();
    if (image.isNull())
        throw EPictureError(path, TPictureProblem::Damaged, reader.errorString());
    if (format == "bmp")
        return OpaqueUnlessAlphaInUse(std::move(image));
    return ExifOrientation::Upright(image, orientation);
}

const QStringList &QtKinds()
{
    static const QStringList kinds{QStringLiteral("png"), QStringLiteral("webp"), QStringLiteral("tif"),
                                   QStringLiteral("tiff"), QStringLiteral("bmp"), QStringLiteral("ico")};
    return kinds;
}

TGifImage ReadGifFile(const QString &path, const TDeclaredPixelsCheck &beforeDecoding)
{
    try {
        if (!beforeDecoding)
            return TGifImage::FromFile(path);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            throw EPictureError(path, TPictureProblem::Unreadable, file.errorString());
        const QByteArray bytes = file.read(TGifImage::MaxFileBytes + 1);
        if (bytes.size() > TGifImage::MaxFileBytes)
            throw EPictureError(path, TPictureProblem::Unreadable, QStringLiteral("the file is too large"));
        beforeDecoding(TGifImage::DeclaredPixels(bytes));
        return TGifImage::FromBytes(bytes, path);
    } catch (const EGifError &e) {
        throw EPictureError(path, TPictureProblem::Damaged, QString::fromUtf8(e.what()));
    }
}

} // namespace

QSize BmpFileSize(const QString &path)
{
    QFile file(path);
    // Only regular files: a FIFO would block the read.
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    const std::optional<TBmpHeader> header = TBmpHeader::Parse(file.read(TBmpHeader::BytesNeeded));
    if (!header || header->Width <= 0 || header->Height <= 0 || BmpHeaderProblem(path, *header, file.size()))
        return {};
    // The kinds of BMP the reader decodes: plain, run-length and bit fields.
    const int bits = header->BitsPerPixel;
    const bool readable = header->Compression <= 3
                          && (bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32);
    if (!readable)
        return {};
    return QSize(int(header->Width), int(header->Height));
}

TPicture LoadPicture(const QString &path, const TDeclaredPixelsCheck &beforeDecoding)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw EPictureError(path, TPictureProblem::Missing);
    if (!info.isFile())
        throw EPictureError(path, TPictureProblem::NotAFile);

    const QString extension = info.suffix().toLower();
    if (extension == QLatin1String("gif"))
        return TPicture::FromGif(ReadGifFile(path, beforeDecoding));
    if (extension == QLatin1String("jpg") || extension == QLatin1String("jpeg"))
        return TPicture::FromImage(ReadJpegFile(path, beforeDecoding));
    if (extension == QLatin1String("heic") || extension == QLatin1String("heif"))
        return TPicture::FromImage(ReadHeifFile(path, beforeDecoding));
    if (QtKinds().contains(extension))
        return TPicture::FromImage(ReadWithQt(path, extension.toLatin1(), beforeDecoding));
    if (extension == QLatin1String("emf") || extension == QLatin1String("wmf"))
        throw EPictureError(path, TPictureProblem::Metafile);
    throw EPictureError(path, TPictureProblem::UnknownKind, {}, {extension});
}

const QStringList &PictureExtensions()
{
    static const QStringList all = QStringList{QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                               QStringLiteral("heic"), QStringLiteral("heif"),
                                               QStringLiteral("gif")}
                                   + QtKinds();
    return all;
}
