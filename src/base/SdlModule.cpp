#include "base/SdlModule.h"

#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>

#include <mutex>
#include <string>

namespace {

const char *const ModuleFile = "libsnapstorm-sdl.so";

// The one module of the process; opened once, never closed.
struct TModule
{
    std::once_flag Opened;
    std::mutex Lock; // guards Error
    void *Handle = nullptr;
    std::string Error;
};

TModule &Module()
{
    static TModule module;
    return module;
}

std::string ProgramDir()
{
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return {};
    const std::string exe(path, size_t(n));
    return exe.substr(0, exe.rfind('/') + 1);
}

// Beside the program first (an installed copy); else wherever the dynamic
// linker looks (tests run from elsewhere in the build tree and find it on
// their run path or library path). Lazy binding: SDL has thousands of functions, the
// program calls a few dozen.
TModule &Opened()
{
    TModule &module = Module();
    std::call_once(module.Opened, [&module] {
        const std::string beside = ProgramDir() + ModuleFile;
        module.Handle = dlopen(beside.c_str(), RTLD_LAZY | RTLD_LOCAL);
        if (!module.Handle)
            module.Handle = dlopen(ModuleFile, RTLD_LAZY | RTLD_LOCAL);
        if (!module.Handle) {
            const char *error = dlerror();
            module.Error = error ? error : "cannot be opened";
        }
    });
    return module;
}

} // namespace

void *TSdlModule::Symbol(const char *name)
{
    TModule &module = Opened();
    if (!module.Handle)
        return nullptr;
    void *symbol = dlsym(module.Handle, name);
    if (!symbol) {
        const std::lock_guard guard(module.Lock);
        module.Error = std::string(name) + " is missing from " + ModuleFile;
    }
    return symbol;
}

QString TSdlModule::Error()
{
    TModule &module = Opened();
    const std::lock_guard guard(module.Lock);
    return QString::fromStdString(module.Error);
}
