#pragma once

#include <QRect>
#include <QRectF>
#include <QSize>

// Where a play field of a fixed size is shown inside a larger (or smaller)
// area: by the largest whole factor that fits, so pixel art stays crisp,
// or by the largest fractional one when even 1 does not fit. Computed in
// device pixels, so a HiDPI screen gets a whole factor of its own pixels.
class TFieldScale
{
public:
    // `target` in logical pixels; `devicePixelRatio` device pixels per logical one.
    TFieldScale(QSize field, QSize target, qreal devicePixelRatio = 1.0);

    // Device pixels per field pixel; 0 when there is nothing to show.
    qreal Factor() const { return mFactor; }
    // True when the factor is a whole number: drawn nearest-neighbour.
    bool Whole() const { return mWhole; }
    // The field's place in device pixels, centred in the target.
    QRect DeviceRect() const { return mDeviceRect; }
    // The same place in logical pixels, for a painter on the target.
    QRectF TargetRect() const;

private:
    qreal mFactor = 0;
    bool mWhole = true;
    qreal mRatio = 1;
    QRect mDeviceRect;
};
