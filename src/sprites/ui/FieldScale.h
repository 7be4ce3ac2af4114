#pragma once

#include <QRect>
#include <QRectF>
#include <QSize>

// How a field is enlarged to a larger area.
enum class TScaling {
    // By the largest whole factor that fits, black bands around it.
    WholeOnly,
    // To the largest size that fits: whole-factor pixel duplication, then
    // one smooth step for the rest, so pixels stay crisp at any size.
    Fill,
};

// Where a play field of a fixed size is shown inside a larger (or smaller)
// area, centred. Computed in device pixels, so a HiDPI screen gets a whole
// factor of its own pixels; an area smaller than the field shrinks it.
class TFieldScale
{
public:
    // `target` in logical pixels; `devicePixelRatio` device pixels per logical one.
    TFieldScale(QSize field, QSize target, qreal devicePixelRatio = 1.0,
                TScaling scaling = TScaling::WholeOnly);

    // Device pixels per field pixel; 0 when there is nothing to show.
    qreal Factor() const { return mFactor; }
    // True when the factor is a whole number: pure pixel duplication.
    bool Whole() const { return mWhole; }
    // The field's place in device pixels, centred in the target.
    QRect DeviceRect() const { return mDeviceRect; }
    // The same place in logical pixels, for a painter on the target.
    QRectF TargetRect() const;
    // The logical pixels that show any of `part` (field pixels), rounded outwards.
    QRect TargetRectOf(const QRect &part) const;

private:
    QSize mField;
    qreal mFactor = 0;
    bool mWhole = true;
    qreal mRatio = 1;
    QRect mDeviceRect;
};
