#pragma once

#include <QString>

#include <zip.h>

// libzip, opened the first time an archive is read or written rather than
// linked into the program: it brings a cryptography library whose linking
// alone delayed every start by a millisecond, while archives are handled
// only when the player asks. One function pointer per libzip function used,
// named after it.
class TZipLibrary
{
public:
    // The library, opened on the first call; EZipError when it cannot be
    // (the same error at every later call). Any thread.
    static const TZipLibrary &Get();

    // The English text of libzip's error `code`.
    QString ErrorText(int code) const;

    decltype(&::zip_open) Open = nullptr;
    decltype(&::zip_close) Close = nullptr;
    decltype(&::zip_discard) Discard = nullptr;
    decltype(&::zip_strerror) Strerror = nullptr;
    decltype(&::zip_error_init_with_code) ErrorInitWithCode = nullptr;
    decltype(&::zip_error_strerror) ErrorStrerror = nullptr;
    decltype(&::zip_error_fini) ErrorFini = nullptr;
    decltype(&::zip_get_error) GetError = nullptr;
    decltype(&::zip_error_code_system) ErrorCodeSystem = nullptr;
    decltype(&::zip_error_system_type) ErrorSystemType = nullptr;
    decltype(&::zip_get_num_entries) GetNumEntries = nullptr;
    decltype(&::zip_stat_init) StatInit = nullptr;
    decltype(&::zip_stat_index) StatIndex = nullptr;
    decltype(&::zip_file_get_external_attributes) FileGetExternalAttributes = nullptr;
    decltype(&::zip_fopen_index) FopenIndex = nullptr;
    decltype(&::zip_fread) Fread = nullptr;
    decltype(&::zip_fclose) Fclose = nullptr;
    decltype(&::zip_file_get_error) FileGetError = nullptr;
    decltype(&::zip_source_filep) SourceFilep = nullptr;
    decltype(&::zip_source_function) SourceFunction = nullptr;
    decltype(&::zip_source_free) SourceFree = nullptr;
    decltype(&::zip_file_add) FileAdd = nullptr;
    decltype(&::zip_set_file_compression) SetFileCompression = nullptr;

private:
    TZipLibrary() = default;
    // Empty when every function was found.
    QString Load();
};

// The process-wide library, as the reader and the writer call it.
inline const TZipLibrary &Zip()
{
    return TZipLibrary::Get();
}
