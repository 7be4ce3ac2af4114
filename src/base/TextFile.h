#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Text files written on Windows arrive in its ANSI code page; ours are
// UTF-8. Valid UTF-8 is taken as such, anything else as Windows-1252.
QString DecodeText(const QByteArray &bytes);
// A missing or unreadable file reads as empty text.
QString ReadTextFile(const QString &path);
// Splits at CR LF, LF or a lone CR; a final line end adds no empty line.
QStringList SplitLines(const QString &text);
// Writes UTF-8 to a temporary file beside `path` and then renames it over
// `path`; on any failure the old file stays untouched.
bool WriteTextFileAtomic(const QString &path, const QString &text);
bool WriteFileAtomic(const QString &path, const QByteArray &bytes);
