#include "lang/MessageLookup.h"

#include "base/IniFile.h"

#include <memory>

TMessageLookup LanguageFileMessages(const QString &path)
{
    // Shared, so that every copy of the look-up keeps one parsed file.
    auto file = std::make_shared<TIniFile>(path);
    return [file](const QString &key) {
        return file->ReadString(QLatin1String(MessagesSection), key, key);
    };
}
