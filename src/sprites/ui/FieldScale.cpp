#include "sprites/ui/FieldScale.h"

#include <algorithm>
#include <cmath>

TFieldScale::TFieldScale(QSize field, QSize target, qreal devicePixelRatio, TScaling scaling)
    : mField(field)
    , mRatio(devicePixelRatio > 0 ? devicePixelRatio : 1.0)
{
    // A widget's device size may end in half a pixel; only whole ones can be filled.
    const int deviceW = int(std::floor(target.width() * mRatio + 1e-6));
    const int deviceH = int(std::floor(target.height() * mRatio + 1e-6));
    if (field.isEmpty() || deviceW <= 0 || deviceH <= 0)
        return;
    const int whole = std::min(deviceW / field.width(), deviceH / field.height());
    const qreal fit = std::min(qreal(deviceW) / field.width(), qreal(deviceH) / field.height());
    QSize shown;
    if (whole >= 1 && (scaling == TScaling::WholeOnly || fit == whole)) {
        mFactor = whole;
        shown = field * whole;
    } else {
        mFactor = fit;
        shown = QSize(std::clamp(int(std::lround(field.width() * fit)), 1, deviceW),
                      std::clamp(int(std::lround(field.height() * fit)), 1, deviceH));
        mWhole = shown == field * whole;
        if (mWhole)
            mFactor = whole;
    }
    const QPoint topLeft((deviceW - shown.width()) / 2, (deviceH - shown.height()) / 2);
    mDeviceRect = QRect(topLeft, shown);
}

QRectF TFieldScale::TargetRect() const
{
    return QRectF(mDeviceRect.x() / mRatio, mDeviceRect.y() / mRatio, mDeviceRect.width() / mRatio,
                  mDeviceRect.height() / mRatio);
}

QRect TFieldScale::TargetRectOf(const QRect &part) const
{
    if (mField.isEmpty() || mDeviceRect.isEmpty())
        return {};
    const qreal sx = qreal(mDeviceRect.width()) / mField.width();
    const qreal sy = qreal(mDeviceRect.height()) / mField.height();
    // A smooth step blends each pixel with its neighbour up to two device pixels away.
    const int margin = mWhole ? 0 : 2;
    const QRect device =
        QRect(QPoint(int(std::floor(part.left() * sx)) - margin, int(std::floor(part.top() * sy)) - margin),
              QPoint(int(std::ceil((part.right() + 1) * sx)) + margin - 1,
                     int(std::ceil((part.bottom() + 1) * sy)) + margin - 1))
            .translated(mDeviceRect.topLeft())
            .intersected(mDeviceRect);
    if (device.isEmpty())
        return {};
    return QRect(QPoint(int(std::floor(device.left() / mRatio)), int(std::floor(device.top() / mRatio))),
                 QPoint(int(std::ceil((device.right() + 1) / mRatio)) - 1,
                        int(std::ceil((device.bottom() + 1) / mRatio)) - 1));
}
