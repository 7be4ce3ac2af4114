#pragma once

#include <QString>

#include <memory>

// SDL and the fifty-odd libraries it needs live in a module of their own,
// "libsnapstorm-sdl.so" beside the program, opened when sound or a game pad
// is first needed rather than before the program starts: linking them
// would delay the first frame by several milliseconds. The module stays
// open until the process ends, as SDL's threads may still run code from it.
class TSdlModule
{
public:
    // The module's factories; each returns a new object the caller owns.
    static constexpr const char *AudioBackendFactory = "SnapstormCreateSdlAudioBackend";
    static constexpr const char *ControllerSourceFactory = "SnapstormCreateSdlControllerSource";
    // The module's file name, and where an install that follows the
    // file-system layout keeps it, relative to the program's folder.
    static constexpr const char *FileName = "libsnapstorm-sdl.so";
    static constexpr const char *InstalledFolder = "../lib/games/snapstorm/";

    // Opens the module on the first call and makes an object with the
    // factory `name`; null when the module or the factory is missing, with
    // Error() telling why. Any thread.
    template <class T>
    static std::unique_ptr<T> Create(const char *name)
    {
        using TFactory = T *(*)();
        const auto factory = reinterpret_cast<TFactory>(Symbol(name));
        return std::unique_ptr<T>(factory ? factory() : nullptr);
    }
    static QString Error();

private:
    static void *Symbol(const char *name);
};
