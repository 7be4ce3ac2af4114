#include "sprites/ui/FramePresenter.h"

#include <QPaintEngine>
#include <QPainter>

#include <cmath>
#include <cstring>

void TFramePresenter::BeginFrame(QSize field)
{
    MarkChanges();
    if (field != mTiles.Size()) {
        mTiles.Reset(field);
        Invalidate();
    }
    mSameAsLast = mFieldKept;
    mFieldKept = true;
    mLastDrawn.swap(mDrawn);
    mDrawn.clear();
    mUnmarked = true;
}

void TFramePresenter::MarkChanges()
{
    if (!mUnmarked)
        return;
    mUnmarked = false;
    // Sprites are matched in drawing order, so where unchanged ones overlap
    // they still stack as before; a pair matched out of order counts as changed.
    std::size_t next = 0;
    for (const TDrawnSprite &sprite : mDrawn) {
        std::size_t match = next;
        while (match < mLastDrawn.size() && !(mLastDrawn[match] == sprite))
            ++match;
        if (match == mLastDrawn.size()) {
            mTiles.Mark(sprite.Rect);
            continue;
        }
        for (; next < match; ++next)
            mTiles.Mark(mLastDrawn[next].Rect);
        next = match + 1;
    }
    for (; next < mLastDrawn.size(); ++next)
        mTiles.Mark(mLastDrawn[next].Rect);
}

void TFramePresenter::KeepChangedTiles(const QImage &frame)
{
    MarkChanges();
    if (frame.size() != mTiles.Size() || frame.format() != QImage::Format_RGB32) {
        mTaken = QImage(); // nothing to compare the next frame with
        return;
    }
    const qsizetype stride = frame.bytesPerLine();
    if (mAllChanged || mTaken.size() != frame.size()) {
        if (mTaken.size() != frame.size())
            mTaken = QImage(frame.size(), QImage::Format_RGB32);
        std::memcpy(mTaken.bits(), frame.constBits(), std::size_t(frame.sizeInBytes()));
        return;
    }
    uchar *taken = mTaken.bits();
    const uchar *now = frame.constBits();
    mTiles.Keep([&](const QRect &tile) {
        const std::size_t bytes = std::size_t(tile.width()) * 4;
        const qsizetype first = tile.top() * stride + tile.left() * 4;
        bool changed = false;
        for (int y = 0; y < tile.height() && !changed; ++y)
            changed = std::memcmp(taken + first + y * stride, now + first + y * stride, bytes) != 0;
        for (int y = 0; changed && y < tile.height(); ++y)
            std::memcpy(taken + first + y * stride, now + first + y * stride, bytes);
        return changed;
    });
}

void TFramePresenter::Present(QPainter &painter, const QImage &frame, QSize box,
                              qreal devicePixelRatio, TScaling scaling, const QRegion &dirty)
{
    const TFieldScale scale(frame.size(), box, devicePixelRatio, scaling);
    const QRectF target = scale.TargetRect();
    // Clipped to what is being repainted: nothing at all for a frame of the field alone.
    if (target.size() != QSizeF(box)) {
        const qreal w = box.width();
        const qreal h = box.height();
        painter.fillRect(QRectF(0, 0, w, target.top()), Qt::black);
        painter.fillRect(QRectF(0, target.bottom(), w, h - target.bottom()), Qt::black);
        painter.fillRect(QRectF(0, target.top(), target.left(), target.height()), Qt::black);
        painter.fillRect(QRectF(target.right(), target.top(), w - target.right(), target.height()),
                         Qt::black);
    }
    if (scale.DeviceRect().isEmpty())
        return;
    mScale.Prepare(frame.size(), scale.DeviceRect().size());
    if (PresentDirect(painter, frame, scale, dirty))
        return;
    // Any other painter gets the whole frame scaled the same way, shown pixel for pixel.
    if (mScaled.size() != scale.DeviceRect().size())
        mScaled = QImage(scale.DeviceRect().size(), QImage::Format_RGB32);
    if (mScale.Draw(mScaled, QPoint(0, 0), frame, mScaled.rect())) {
        painter.drawImage(target, mScaled);
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform, !scale.Whole());
    painter.drawImage(target, frame);
}

// Only into the window's own image, when the painter draws into one with
// no more than an offset and a scale, and only inside the repainted area:
// writing outside it could cover a widget that is not redrawn.
bool TFramePresenter::PresentDirect(QPainter &painter, const QImage &frame, const TFieldScale &scale,
                                    const QRegion &dirty)
{
    QPaintEngine *engine = painter.paintEngine();
    QPaintDevice *device = engine ? engine->paintDevice() : nullptr;
    const QTransform transform = painter.deviceTransform();
    if (!device || device->devType() != QInternal::Image || transform.type() > QTransform::TxScale
        || std::abs(transform.m11() - transform.m22()) > 1e-9 || transform.m11() <= 0)
        return false;
    auto &image = *static_cast<QImage *>(device);
    const QPoint offset(int(std::lround(transform.dx())), int(std::lround(transform.dy())));
    const QRect field = scale.DeviceRect().translated(offset).intersected(image.rect());
    const QPoint origin = scale.DeviceRect().topLeft() + offset;
    const qreal ratio = transform.m11();
    bool drawn = true;
    for (const QRect &logical : dirty) {
        const QRect part =
            QRect(QPoint(int(std::floor(logical.left() * ratio)), int(std::floor(logical.top() * ratio))),
                  QPoint(int(std::ceil((logical.right() + 1) * ratio)) - 1,
                         int(std::ceil((logical.bottom() + 1) * ratio)) - 1))
                .translated(offset)
                .intersected(field);
        if (!part.isEmpty())
            drawn = mScale.Draw(image, origin, frame, part) && drawn;
    }
    return drawn;
}
