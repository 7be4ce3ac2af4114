#include "sprites/Picture.h"

#include "base/FileWriter.h"
#include "base/TextFile.h"
#include "sprites/DeferredBitmap.h"
#include "sprites/PictureError.h"

#include <QBuffer>
#include <QPainter>

#include <algorithm>

QImage TPicture::KeyOut(const QImage &source, QSize kept)
{
    constexpr QImage::Format drawn = QImage::Format_ARGB32_Premultiplied;
    if (source.isNull() || source.width() == 0 || source.height() == 0)
        return source.convertToFormat(drawn);
    const QRect part = QRect(QPoint(0, 0), kept.isValid() ? kept.boundedTo(source.size()) : source.size());
    if (part.isEmpty())
        return {};
    // Two-colour bitmaps keep white as their see-through colour, wherever it is.
    const bool twoColour = source.format() == QImage::Format_Mono
                           || source.format() == QImage::Format_MonoLSB;
    // The bottom-left pixel as drawn, converted as the rest is.
    const QRgb key = twoColour ? qRgb(255, 255, 255)
                               : source.copy(0, source.height() - 1, 1, 1).convertToFormat(drawn).pixel(0, 0);
    QImage keyed = (part.size() == source.size() ? source : source.copy(part)).convertToFormat(drawn);
    for (int y = 0; y < keyed.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(keyed.scanLine(y));
        std::replace(line, line + keyed.width(), key, QRgb(0));
    }
    return keyed;
}

TPicture TPicture::FromImage(const QImage &image)
{
    TPicture picture;
    if (image.isNull())
        return picture;
    picture.mBitmap = std::make_shared<const TBitmap>(TBitmap{image, QImage()});
    return picture;
}

TPicture TPicture::FromDeferred(std::shared_ptr<const TDeferredBitmap> bitmap)
{
    TPicture picture;
    picture.mDeferred = std::move(bitmap);
    return picture;
}

const QImage &TPicture::Bitmap() const
{
    static const QImage none;
    if (mDeferred)
        return mDeferred->Opaque();
    return mBitmap ? mBitmap->Opaque : none;
}

void TPicture::PrepareKeyed() const
{
    if (mBitmap && mBitmap->Keyed.isNull())
        mBitmap->Keyed = KeyOut(mBitmap->Opaque);
}

const QImage &TPicture::Keyed() const
{
    PrepareKeyed();
    return mBitmap->Keyed;
}

TPicture TPicture::FromGif(TGifImage gif)
{
    TPicture picture;
    if (gif.IsEmpty())
        return picture;
    picture.mGif = std::make_shared<const TGifImage>(std::move(gif));
    return picture;
}

int TPicture::Width() const
{
    if (mDeferred)
        return mDeferred->Size().width();
    return mGif ? mGif->Width() : Bitmap().width();
}

int TPicture::Height() const
{
    if (mDeferred)
        return mDeferred->Size().height();
    return mGif ? mGif->Height() : Bitmap().height();
}

int TPicture::FrameCount() const
{
    return mGif ? mGif->FrameCount() : 0;
}

void TPicture::Draw(QPainter &painter, int left, int top, int frame, bool transparent) const
{
    if (mDeferred) {
        mDeferred->Draw(painter, left, top, transparent);
        return;
    }
    if (!mGif) {
        if (mBitmap)
            painter.drawImage(left, top, transparent ? Keyed() : mBitmap->Opaque);
        return;
    }
    const TGifFrame &shown = mGif->DrawnFrame(std::clamp(frame, 0, mGif->FrameCount() - 1));
    if (shown.Image.isNull())
        return;
    const QRect screen(left, top, mGif->Width(), mGif->Height());
    const QRect target = QRect(screen.topLeft() + shown.Offset, shown.Size) & screen;
    if (target.isEmpty())
        return;
    const QRect source = target.translated(-screen.topLeft() - shown.Offset);
    if (!transparent && shown.TransparentIndex >= 0)
        painter.fillRect(target, QColor::fromRgb(shown.TransparentColor));
    painter.drawImage(target, shown.Image, source);
}

QImage TPicture::ToImage() const
{
    if (!mGif)
        return Bitmap();
    QImage image(mGif->Width(), mGif->Height(), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    image.fill(Qt::transparent);
    QPainter painter(&image);
    Draw(painter, 0, 0, 0, true);
    return image;
}

void TPicture::SaveToFile(const QString &path) const
{
    if (IsEmpty())
        throw EPictureError(QStringLiteral("An empty picture cannot be saved as \"%1\".").arg(path));
    try {
        if (path.endsWith(QLatin1String(".gif"), Qt::CaseInsensitive)) {
            if (mGif)
                mGif->SaveToFile(path);
            else
                TGifImage::FromImage(Bitmap()).SaveToFile(path);
            return;
        }
    } catch (const EGifError &e) {
        throw EPictureError(QString::fromUtf8(e.what()));
    }
    // A BMP has no alpha: see-through parts of a GIF come out black.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QImage image = mGif ? ToImage().convertToFormat(QImage::Format_RGB32) : Bitmap();
    if (!image.save(&buffer, "BMP"))
        throw EPictureError(QStringLiteral("The picture \"%1\" cannot be written.").arg(path));
    WriteFileAtomic(path, bytes);
}
