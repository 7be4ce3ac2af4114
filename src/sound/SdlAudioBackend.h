#pragma once

#include "sound/AudioDevice.h"

#include <memory>

// Output through SDL's audio layer. When no real device can be used the
// backend falls back to SDL's "dummy" driver, which paces and discards the
// sound: the program then runs silent and says so once on standard error.
class TSdlAudioBackend : public TAudioBackend
{
public:
    TSdlAudioBackend();
    ~TSdlAudioBackend() override;
    TSdlAudioBackend(const TSdlAudioBackend &) = delete;
    TSdlAudioBackend &operator=(const TSdlAudioBackend &) = delete;

    int DeviceCount() override;
    bool DeviceCaps(int device, TDeviceCaps &caps) override;
    bool CanPlay(int device, const TPcmFormat &format) override;
    std::unique_ptr<TAudioDevice> Open(int device, const TPcmFormat &format,
                                       TAudioDeviceClient &client, int &error) override;
    int64_t NowMs() override;

    bool Silent() const { return mSilent; }
    // Frames in SDL's own buffer for output at `rate`: about 23 ms, well
    // within what a cue may lag, while SDL's thread wakes only 43 times a second.
    static int BufferFrames(int rate);

private:
    void FallBackToSilence(const char *reason);

    enum class TInit { None, SubSystem, Direct };
    TInit mInit = TInit::None;
    bool mSilent = false;
};
