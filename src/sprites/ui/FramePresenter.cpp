#include "sprites/ui/FramePresenter.h"

#include "sprites/ui/FieldScale.h"
#include "sprites/ui/WholeScale.h"

#include <QPaintEngine>
#include <QPainter>

void TFramePresenter::BeginFrame(QSize field)
{
    if (field != mTiles.Size()) {
        mTiles.Reset(field);
        mValid = mFieldKept = false;
    }
    mSameAsLast = mFieldKept;
    mFieldKept = true;
    for (const TDrawnSprite &sprite : mDrawn)
        mTiles.Mark(sprite.Rect);
    mLastDrawn.swap(mDrawn);
    mDrawn.clear();
}

void TFramePresenter::Present(QPainter &painter, const QImage &frame, QSize box,
                              qreal devicePixelRatio, const QRegion &dirty)
{
    const TFieldScale scale(frame.size(), box, devicePixelRatio);
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
    if (scale.Whole() && PresentDuplicated(painter, frame, scale, dirty))
        return;
    mValid = false;
    // Whole factors stay nearest-neighbour so pixel art keeps hard edges.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, !scale.Whole());
    painter.drawImage(target, frame);
}

// Only into the window's own image, when the painter draws into one with
// no more than an offset and the whole field is repainted: writing outside
// the dirty area could cover a widget that is not redrawn.
bool TFramePresenter::PresentDuplicated(QPainter &painter, const QImage &frame,
                                        const TFieldScale &scale, const QRegion &dirty)
{
    QPaintEngine *engine = painter.paintEngine();
    QPaintDevice *device = engine ? engine->paintDevice() : nullptr;
    const QTransform transform = painter.deviceTransform();
    if (!device || device->devType() != QInternal::Image || transform.type() > QTransform::TxTranslate
        || !(QRegion(scale.TargetRect().toAlignedRect()) - dirty).isEmpty())
        return false;
    auto &image = *static_cast<QImage *>(device);
    const int factor = qRound(scale.Factor());
    const QPoint origin =
        scale.DeviceRect().topLeft() + QPoint(qRound(transform.dx()), qRound(transform.dy()));
    const bool sameImage = mValid && mTargetBits == image.constBits()
                           && mTargetSize == image.size() && mTargetOrigin == origin
                           && mTargetFactor == factor && mTiles.Size() == frame.size();
    bool drawn = true;
    if (sameImage)
        mTiles.ForEachRun([&](const QRect &part) {
            drawn = WholeScale::Draw(image, origin, frame, factor, part) && drawn;
        });
    else
        drawn = WholeScale::Draw(image, origin, frame, factor);
    mTiles.Clear();
    mValid = drawn;
    mTargetBits = image.constBits();
    mTargetSize = image.size();
    mTargetOrigin = origin;
    mTargetFactor = factor;
    return drawn;
}
