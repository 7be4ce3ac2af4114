#include "sprites/ui/FieldScale.h"

#include <algorithm>
#include <cmath>

TFieldScale::TFieldScale(QSize field, QSize target, qreal devicePixelRatio)
    : mRatio(devicePixelRatio > 0 ? devicePixelRatio : 1.0)
{
    // A widget's device size may end in half a pixel; only whole ones can be filled.
    const int deviceW = int(std::floor(target.width() * mRatio + 1e-6));
    const int deviceH = int(std::floor(target.height() * mRatio + 1e-6));
    if (field.isEmpty() || deviceW <= 0 || deviceH <= 0)
        return;
    const int whole = std::min(deviceW / field.width(), deviceH / field.height());
    QSize shown;
    if (whole >= 1) {
        mFactor = whole;
        shown = field * whole;
    } else {
        mWhole = false;
        mFactor = std::min(qreal(deviceW) / field.width(), qreal(deviceH) / field.height());
        shown = QSize(std::clamp(int(std::lround(field.width() * mFactor)), 1, deviceW),
                      std::clamp(int(std::lround(field.height() * mFactor)), 1, deviceH));
    }
    const QPoint topLeft((deviceW - shown.width()) / 2, (deviceH - shown.height()) / 2);
    mDeviceRect = QRect(topLeft, shown);
}

QRectF TFieldScale::TargetRect() const
{
    return QRectF(mDeviceRect.x() / mRatio, mDeviceRect.y() / mRatio, mDeviceRect.width() / mRatio,
                  mDeviceRect.height() / mRatio);
}
