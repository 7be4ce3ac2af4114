#include "sprites/DeferredBitmap.h"

#include "sprites/PictureReader.h"

#include <QPainter>

TDeferredBitmap::TDeferredBitmap(QString path, QSize size, QSize field)
    : mPath(std::move(path)), mSize(size), mField(field)
{
}

QImage TDeferredBitmap::Read() const
{
    try {
        QImage image = LoadPicture(mPath).Bitmap();
        // Collisions already go by the declared size.
        return image.size() == mSize ? image : QImage();
    } catch (const std::exception &) {
        return {};
    }
}

const QImage &TDeferredBitmap::Opaque() const
{
    if (mOpaque.isNull())
        mOpaque = Read();
    return mOpaque;
}

void TDeferredBitmap::Draw(QPainter &painter, int left, int top, bool transparent) const
{
    if (!transparent) {
        painter.drawImage(left, top, Opaque());
        return;
    }
    if (!mKeyedMade) {
        mKeyedMade = true;
        mKeyed = TPicture::KeyOut(mOpaque.isNull() ? Read() : mOpaque, mField);
    }
    painter.drawImage(left, top, mKeyed);
}
