#pragma once

#include <QString>

#include <functional>

// The text of a message key in the language in use, or the key itself when
// the language has none. Code without windows takes one of these; the
// window's TLanguage hands it out.
using TMessageLookup = std::function<QString(const QString &key)>;

// The "Messages" of the language file `path`, read as the file is at each
// look-up; an empty path or a missing file gives every key itself.
TMessageLookup LanguageFileMessages(const QString &path);

// The name of the section that holds the message texts.
inline constexpr const char *MessagesSection = "Messages";
