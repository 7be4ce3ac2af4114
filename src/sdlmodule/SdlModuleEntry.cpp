// The entry points of libsnapstorm-sdl.so, the only code of the program
// that links SDL; the program opens the module at run time.
#include "pads/SdlControllerSource.h"
#include "sound/SdlAudioBackend.h"

#define SNAPSTORM_EXPORT extern "C" __attribute__((visibility("default")))

// Window thread: the mixer asks for its output once, when it is made.
SNAPSTORM_EXPORT TAudioBackend *SnapstormCreateSdlAudioBackend()
{
    return new TSdlAudioBackend();
}

// Window thread: the pads are looked for once the window shows.
SNAPSTORM_EXPORT TControllerSource *SnapstormCreateSdlControllerSource()
{
    return new TSdlControllerSource();
}
