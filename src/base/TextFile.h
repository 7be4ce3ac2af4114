#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// Text files are read whole; none we read is anywhere near this.
constexpr qint64 MaxTextFileSize = 16 * 1024 * 1024;

// Text files written on Windows arrive in its ANSI code page; ours are
// UTF-8. Each line that is valid UTF-8 is taken as such, any other line as
// Windows-1252. A UTF-16 file (LE or BE) is known by its byte-order mark.
QString DecodeText(const QByteArray &bytes);
// The bytes of a regular file of at most `maxSize` bytes; nothing for a
// missing or unreadable file, a larger one, a folder, a FIFO or a device
// (and a link, when `followLink` is false).
std::optional<QByteArray> ReadRegularFile(const QString &path, qint64 maxSize, bool followLink = true);
// A missing, unreadable or irregular file reads as empty text.
QString ReadTextFile(const QString &path);
// Splits at CR LF, LF or a lone CR; a final line end adds no empty line.
QStringList SplitLines(const QString &text);
// Line breaks of any kind and other control characters: what must never
// reach a line-based file inside a value.
bool IsLineBreakOrControl(QChar c);
bool HasLineBreakOrControl(const QString &text);
