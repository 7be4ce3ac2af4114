#include "sound/MixClock.h"

#include <algorithm>

namespace {
int32_t ToPosition(int64_t value)
{
    return int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}
} // namespace

void TMixClock::Set(int32_t p, int32_t devicePos, int64_t nowMs, int32_t bytesPerSec)
{
    mDeviceOffset = ToPosition(int64_t(p) - devicePos);
    mTimeBase = nowMs - int64_t(p) * 1000 / bytesPerSec;
}

int32_t TMixClock::PlayPosition(int32_t devicePos, int64_t nowMs, int32_t bytesPerSec,
                                int blockAlign) const
{
    return mDeviceClock ? DevicePosition(devicePos)
                        : TimerPosition(nowMs, bytesPerSec, blockAlign);
}

int32_t TMixClock::TimerPosition(int64_t nowMs, int32_t bytesPerSec, int blockAlign) const
{
    // 64-bit product: in 32 bits it would wrap after half a minute of stereo.
    const int64_t scaled = (nowMs - mTimeBase) * bytesPerSec;
    const int64_t rounded = scaled >= 0 ? (scaled + 500) / 1000 : (scaled - 500) / 1000;
    int32_t position = ToPosition(rounded);
    if (blockAlign >= 2 && position % 2 != 0)
        --position;
    return position;
}

int32_t TMixClock::DevicePosition(int32_t devicePos) const
{
    return ToPosition(int64_t(devicePos) + mDeviceOffset);
}
