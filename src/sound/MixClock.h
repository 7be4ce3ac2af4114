#pragma once

#include <cstdint>

// Turns "now" into a stream position, either from a millisecond timer or
// from the device's own byte count.
class TMixClock
{
public:
    bool DeviceClock() const { return mDeviceClock; }
    void SetDeviceClock(bool deviceClock) { mDeviceClock = deviceClock; }
    int64_t TimeBase() const { return mTimeBase; }
    int32_t DeviceOffset() const { return mDeviceOffset; }

    // Makes position `p` the one playing at `nowMs`, with the device at `devicePos`.
    void Set(int32_t p, int32_t devicePos, int64_t nowMs, int32_t bytesPerSec);
    // Whichever clock is selected.
    int32_t PlayPosition(int32_t devicePos, int64_t nowMs, int32_t bytesPerSec,
                         int blockAlign) const;
    int32_t TimerPosition(int64_t nowMs, int32_t bytesPerSec, int blockAlign) const;
    int32_t DevicePosition(int32_t devicePos) const;

private:
    int64_t mTimeBase = 0;
    bool mDeviceClock = false;
    int32_t mDeviceOffset = 0;
};
