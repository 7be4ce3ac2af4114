#include "sprites/PictureReader.h"

#include "gif/GifImage.h"
#include "sprites/BmpHeader.h"
#include "sprites/BmpTrueColour.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace {

[[noreturn]] void Fail(const QString &path, const QString &what)
{
    throw EPictureError(QStringLiteral("Cannot load the picture \"%1\": %2.").arg(path, what));
}

// What keeps a BMP with these headers from being read; empty when nothing.
QString BmpHeaderProblem(const TBmpHeader &header, qint64 fileSize)
{
    if (header.Width > 0 && TGifImage::IsAbsurdSize(header.Width, header.Height))
        return QStringLiteral("its size of %1 x %2 pixels is too large").arg(header.Width).arg(header.Height);
    if (fileSize < header.FileSizeNeeded())
        return QStringLiteral("the file ends before its last row of pixels");
    return {};
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
    const QString problem = BmpHeaderProblem(*header, file.size());
    if (!problem.isEmpty())
        Fail(path, problem);
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
                Fail(path, QStringLiteral("it cannot be read"));
            return image;
        }
        reader.setDevice(&file);
    } else {
        reader.setFileName(path);
    }
    reader.setFormat(format);
    reader.setDecideFormatFromContent(false);
    reader.setAutoTransform(false);
    // Our own limit (64 M pixels) is the one that counts; Qt's default sits right at it.
    reader.setAllocationLimit(512);
    const QSize size = reader.size();
    if (size.isValid() && TGifImage::IsAbsurdSize(size.width(), size.height()))
        Fail(path, QStringLiteral("its size of %1 x %2 pixels is too large")
                       .arg(size.width()).arg(size.height()));
    if (beforeDecoding && size.isValid())
        beforeDecoding(qint64(size.width()) * size.height());
    QImage image = reader.read();
    if (image.isNull())
        Fail(path, reader.errorString());
    return format == "bmp" ? OpaqueUnlessAlphaInUse(std::move(image)) : image;
}

} // namespace

QSize BmpFileSize(const QString &path)
{
    QFile file(path);
    // Only regular files: a FIFO would block the read.
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    const std::optional<TBmpHeader> header = TBmpHeader::Parse(file.read(TBmpHeader::BytesNeeded));
    if (!header || header->Width <= 0 || header->Height <= 0 || !BmpHeaderProblem(*header, file.size()).isEmpty())
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
        Fail(path, QStringLiteral("the file does not exist"));
    if (!info.isFile())
        Fail(path, QStringLiteral("it is not a file"));

    const QString extension = info.suffix().toLower();
    if (extension == QLatin1String("gif")) {
        try {
            return TPicture::FromGif(TGifImage::FromFile(path));
        } catch (const EGifError &e) {
            throw EPictureError(QString::fromUtf8(e.what()));
        }
    }
    if (extension == QLatin1String("jpg") || extension == QLatin1String("jpeg"))
        return TPicture::FromImage(ReadJpegFile(path));
    if (extension == QLatin1String("bmp") || extension == QLatin1String("ico")
        || extension == QLatin1String("png"))
        return TPicture::FromImage(ReadWithQt(path, extension.toLatin1(), beforeDecoding));
    if (extension == QLatin1String("emf") || extension == QLatin1String("wmf"))
        Fail(path, QStringLiteral("metafiles are not supported; please convert it to a "
                                  "bitmap, GIF or JPEG picture first"));
    Fail(path, QStringLiteral("pictures of the kind \".%1\" are not supported").arg(extension));
}
