#include "exchange/ZipLibrary.h"

#include "exchange/ZipError.h"

#include <dlfcn.h>

namespace {

// The run-time name of the libzip the program was built against.
const char *const LibraryFile = SNAPSTORM_LIBZIP_SONAME;

template <class T>
bool Resolve(void *library, const char *name, T &function)
{
    function = reinterpret_cast<T>(dlsym(library, name));
    return function != nullptr;
}

} // namespace

const TZipLibrary &TZipLibrary::Get()
{
    // Opened once per process and never closed; thread-safe by static initialisation.
    static TZipLibrary library;
    static const QString error = library.Load();
    if (!error.isEmpty())
        throw EZipError(error);
    return library;
}

QString TZipLibrary::Load()
{
    void *library = dlopen(LibraryFile, RTLD_LAZY | RTLD_LOCAL);
    if (!library) {
        const char *error = dlerror();
        return QStringLiteral("The ZIP library %1 cannot be loaded: %2")
            .arg(QLatin1String(LibraryFile), QString::fromLocal8Bit(error ? error : "not found"));
    }
    const bool found = Resolve(library, "zip_open", Open) && Resolve(library, "zip_close", Close)
        && Resolve(library, "zip_discard", Discard) && Resolve(library, "zip_strerror", Strerror)
        && Resolve(library, "zip_error_init_with_code", ErrorInitWithCode)
        && Resolve(library, "zip_error_strerror", ErrorStrerror)
        && Resolve(library, "zip_error_fini", ErrorFini) && Resolve(library, "zip_get_error", GetError)
        && Resolve(library, "zip_error_code_system", ErrorCodeSystem)
        && Resolve(library, "zip_error_system_type", ErrorSystemType)
        && Resolve(library, "zip_get_num_entries", GetNumEntries)
        && Resolve(library, "zip_stat_init", StatInit) && Resolve(library, "zip_stat_index", StatIndex)
        && Resolve(library, "zip_file_get_external_attributes", FileGetExternalAttributes)
        && Resolve(library, "zip_fopen_index", FopenIndex) && Resolve(library, "zip_fread", Fread)
        && Resolve(library, "zip_fclose", Fclose)
        && Resolve(library, "zip_file_get_error", FileGetError)
        && Resolve(library, "zip_source_filep", SourceFilep)
        && Resolve(library, "zip_source_function", SourceFunction)
        && Resolve(library, "zip_source_free", SourceFree) && Resolve(library, "zip_file_add", FileAdd)
        && Resolve(library, "zip_set_file_compression", SetFileCompression);
    if (!found)
        return QStringLiteral("The ZIP library %1 lacks a function the program needs.")
            .arg(QLatin1String(LibraryFile));
    return QString();
}

QString TZipLibrary::ErrorText(int code) const
{
    zip_error_t error;
    ErrorInitWithCode(&error, code);
    const QString text = QString::fromUtf8(ErrorStrerror(&error));
    ErrorFini(&error);
    return text;
}
