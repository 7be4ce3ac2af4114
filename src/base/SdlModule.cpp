#include "base/SdlModule.h"

#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>

#include <string>

namespace {


// The one module of the process: opened once, never closed.
struct TModule
{
    void *Handle = nullptr;
    QString Error; // why Handle is null
};

std::string ProgramDir()
{
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return {};
    const std::string exe(path, size_t(n));
    return exe.substr(0, exe.rfind('/') + 1);
}

// Beside the program first (a portable copy); else wherever the dynamic
// linker looks: an install's run path names its private library folder,
// and tests run from elsewhere in the build tree find it on their run path
// or library path. Lazy binding: SDL has thousands of
// functions, the program calls a few dozen.
TModule Open()
{
    TModule module;
    const std::string beside = ProgramDir() + TSdlModule::FileName;
    module.Handle = dlopen(beside.c_str(), RTLD_LAZY | RTLD_LOCAL);
    if (!module.Handle)
        module.Handle = dlopen(TSdlModule::FileName, RTLD_LAZY | RTLD_LOCAL);
    if (!module.Handle) {
        const char *error = dlerror();
        module.Error = QString::fromLocal8Bit(error ? error : "cannot be opened");
    }
    return module;
}

// Thread-safe by static initialisation.
const TModule &Module()
{
    static const TModule module = Open();
    return module;
}

} // namespace

void *TSdlModule::Symbol(const char *name)
{
    const TModule &module = Module();
    return module.Handle ? dlsym(module.Handle, name) : nullptr;
}

QString TSdlModule::Error()
{
    const TModule &module = Module();
    return module.Handle ? QStringLiteral("%1 lacks a function the program needs").arg(QLatin1String(TSdlModule::FileName))
                         : module.Error;
}
