#include "sound/SdlAudioBackend.h"

#include "sound/SdlAudioDevice.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>

namespace {
const char *const SilentDriver = "dummy";
} // namespace

TSdlAudioBackend::TSdlAudioBackend()
{
    // SDL would otherwise take SIGINT and SIGTERM for a quit event that
    // nobody reads, and the program could no longer be stopped that way.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0)
        mInit = TInit::SubSystem;
    else
        FallBackToSilence(SDL_GetError());
}

TSdlAudioBackend::~TSdlAudioBackend()
{
    if (mInit == TInit::SubSystem)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    else if (mInit == TInit::Direct)
        SDL_AudioQuit();
}

void TSdlAudioBackend::FallBackToSilence(const char *reason)
{
    if (mInit == TInit::SubSystem)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    else if (mInit == TInit::Direct)
        SDL_AudioQuit();
    mInit = SDL_AudioInit(SilentDriver) == 0 ? TInit::Direct : TInit::None;
    if (!mSilent)
        std::fprintf(stderr, "Snapstorm: no sound output device could be opened (%s); "
                             "playing without sound.\n",
                     reason);
    mSilent = true;
}

int TSdlAudioBackend::BufferFrames(int rate)
{
    if (rate >= 44100)
        return 1024;
    if (rate >= 22050)
        return 512;
    return 256;
}

int TSdlAudioBackend::DeviceCount()
{
    if (mInit == TInit::None)
        return 0;
    // Some drivers cannot list their devices but still open the default one.
    const int count = SDL_GetNumAudioDevices(0);
    return count > 0 ? count : 1;
}

bool TSdlAudioBackend::DeviceCaps(int device, TDeviceCaps &caps)
{
    SDL_AudioSpec deviceFormat{};
    if (device < 0 || device >= SDL_GetNumAudioDevices(0)) {
        char *name = nullptr;
        if (SDL_GetDefaultAudioInfo(&name, &deviceFormat, 0) != 0)
            return false;
        caps.Name = QString::fromUtf8(name ? name : "");
        SDL_free(name);
    } else {
        const char *name = SDL_GetAudioDeviceName(device, 0);
        if (!name || SDL_GetAudioDeviceSpec(device, 0, &deviceFormat) != 0)
            return false;
        caps.Name = QString::fromUtf8(name);
    }
    if (caps.Name.isEmpty())
        return false;
    caps.Channels = deviceFormat.channels;
    caps.Synchronous = false;
    return true;
}

bool TSdlAudioBackend::CanPlay(int, const TPcmFormat &format)
{
    // SDL converts whatever the hardware wants from every format the mixer uses.
    return format.FormatTag == 1 && format.BitsPerSample == 8
           && (format.Channels == 1 || format.Channels == 2);
}

std::unique_ptr<TAudioDevice> TSdlAudioBackend::Open(int device, const TPcmFormat &format,
                                                     TAudioDeviceClient &client, int &error)
{
    // Reopening the disk driver would start its file over.
    const char *driver = SDL_GetCurrentAudioDriver();
    const bool closeWhenIdle = !driver || std::strcmp(driver, "disk") != 0;
    auto opened = std::make_unique<TSdlAudioDevice>(client, closeWhenIdle);
    const char *name = nullptr;
    if (device >= 0 && device < SDL_GetNumAudioDevices(0))
        name = SDL_GetAudioDeviceName(device, 0);
    if (mInit != TInit::None && opened->Open(name, format))
        return opened;
    if (!mSilent) {
        FallBackToSilence(SDL_GetError());
        if (mInit != TInit::None && opened->Open(nullptr, format))
            return opened;
    }
    error = 1;
    return nullptr;
}

int64_t TSdlAudioBackend::NowMs()
{
    return int64_t(SDL_GetTicks64());
}
