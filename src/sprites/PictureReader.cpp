#include "sprites/PictureReader.h"

#include "gif/GifImage.h"

#include <QFileInfo>
#include <QImageReader>

namespace {

[[noreturn]] void Fail(const QString &path, const QString &what)
{
    throw EPictureError(QStringLiteral("Cannot load the picture \"%1\": %2.").arg(path, what));
}

QImage ReadWithQt(const QString &path, const QByteArray &format)
{
    QImageReader reader(path, format);
    reader.setDecideFormatFromContent(false);
    reader.setAutoTransform(false);
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
