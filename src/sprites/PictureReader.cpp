#include "sprites/PictureReader.h"

#include "gif/GifImage.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <QImageReader>

namespace {

[[noreturn]] void Fail(const QString &path, const QString &what)
{
    throw EPictureError(QStringLiteral("Cannot load the picture \"%1\": %2.").arg(path, what));
}

// Qt may refuse a huge BMP for reasons of its own; reading the header
// here tells the user what is actually wrong.
void CheckBmpHeader(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray header = file.read(26);
    if (header.size() < 26 || !header.startsWith("BM"))
        return;
    auto word = [&](int at) { return qFromLittleEndian<quint16>(header.constData() + at); };
    auto dword = [&](int at) { return qFromLittleEndian<qint32>(header.constData() + at); };
    const quint32 infoSize = qFromLittleEndian<quint32>(header.constData() + 14);
    qint64 width = 0;
    qint64 height = 0;
    if (infoSize == 12) {
        width = word(18);
        height = word(20);
    } else {
        width = dword(18);
        height = dword(22);
    }
    // A negative height only means rows stored top-down.
    if (height < 0)
        height = -height;
    if (width > 0 && TGifImage::IsAbsurdSize(width, height))
        Fail(path, QStringLiteral("its size of %1 x %2 pixels is too large").arg(width).arg(height));
}

QImage ReadWithQt(const QString &path, const QByteArray &format)
{
    if (format == "bmp")
        CheckBmpHeader(path);
    QImageReader reader(path, format);
    reader.setDecideFormatFromContent(false);
    reader.setAutoTransform(false);
    // Our own limit (64 M pixels) is the one that counts; Qt's default sits right at it.
    reader.setAllocationLimit(512);
    const QSize size = reader.size();
    if (size.isValid() && TGifImage::IsAbsurdSize(size.width(), size.height()))
        Fail(path, QStringLiteral("its size of %1 x %2 pixels is too large")
                       .arg(size.width()).arg(size.height()));
    QImage image = reader.read();
    if (image.isNull())
        Fail(path, reader.errorString());
    return image;
}

} // namespace

TPicture LoadPicture(const QString &path)
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
        return TPicture::FromImage(ReadWithQt(path, extension.toLatin1()));
    if (extension == QLatin1String("emf") || extension == QLatin1String("wmf"))
        Fail(path, QStringLiteral("metafiles are not supported; please convert it to a "
                                  "bitmap, GIF or JPEG picture first"));
    Fail(path, QStringLiteral("pictures of the kind \".%1\" are not supported").arg(extension));
}
