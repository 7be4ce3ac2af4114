#pragma once

#include <QString>

#include <functional>

// What a file's content is, as a MIME type, from its path.
using TContentTypeLookup = std::function<QString(const QString &path)>;

constexpr const char *DefaultContentType = "application/octet-stream";

// The type the system's MIME database gives the file's extension (the part
// from the last dot of its name on); "application/octet-stream" when the
// name has no extension or the database knows none for it.
QString ContentTypeFor(const QString &path);
