#include "editor/PictureFit.h"

#include <QPainter>

#include <algorithm>
#include <cstdint>

namespace {

// other * maxSide / longer, rounded half to even.
int ScaleSide(int other, int maxSide, int longer)
{
    const std::int64_t num = std::int64_t(other) * maxSide;
    std::int64_t q = num / longer;
    const std::int64_t twice = 2 * (num % longer);
    if (twice > longer || (twice == longer && q % 2 != 0))
        ++q;
    return int(std::max<std::int64_t>(q, 1));
}

QImage Stretched(const QImage &source, QSize size)
{
    if (source.size() == size)
        return source.convertToFormat(QImage::Format_RGB32);
    return source.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

} // namespace

QSize FittedSize(int maxSide, QSize size)
{
    if (size.width() <= 0 || size.height() <= 0 || maxSide <= 0)
        return {};
    if (size.width() >= size.height())
        return {maxSide, ScaleSide(size.height(), maxSide, size.width())};
    return {ScaleSide(size.width(), maxSide, size.height()), maxSide};
}

QSize FitBitmapSize(int maxSide, QSize size)
{
    if (size.width() <= maxSide && size.height() <= maxSide)
        return size;
    return FittedSize(maxSide, size);
}

QImage FitBitmap(int maxSide, const QImage &bitmap)
{
    return Stretched(bitmap, FitBitmapSize(maxSide, bitmap.size()));
}

QImage FitGraphic(int maxSide, const TPicture &picture)
{
    return StretchGraphic(FittedSize(maxSide, picture.Size()), picture);
}

QImage StretchGraphic(QSize size, const TPicture &picture)
{
    return Stretched(StillBitmap(picture), size);
}

void ShrinkImage(TPicture &picture, int maxSide)
{
    if (picture.IsEmpty() || (picture.Width() <= maxSide && picture.Height() <= maxSide))
        return;
    const QImage reduced = FitBitmap(maxSide, StillBitmap(picture));
    picture = picture.IsGif() ? TPicture::FromGif(TGifImage::FromImage(reduced))
                              : TPicture::FromImage(reduced);
}

QImage StillBitmap(const TPicture &picture)
{
    if (picture.IsBitmap())
        return picture.Bitmap();
    QImage image(picture.Size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    picture.Draw(painter, 0, 0, 0, true);
    return image;
}
