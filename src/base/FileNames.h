#pragma once

#include <QString>
#include <QStringList>

// Designs and language files are often made on a file system that ignores
// letter case, so look-ups by name here do too.

// The path of the entry in `dir` whose name equals `name` without regard
// to case (an exact match preferred); empty when there is none.
QString FindEntryNoCase(const QString &dir, const QString &name);
// Like FindEntryNoCase, but when nothing matches the result is dir/name,
// so a caller can go on to create the file under its proper name.
QString ResolvePathNoCase(const QString &dir, const QString &name);
// The last part of `name` after any slash or backslash, so that a name read from
// a file cannot lead out of the folder it is looked for in; empty for
// "." and "..".
QString BareFileName(const QString &name);
// Appends a "/" when the path does not end in one.
QString WithTrailingSlash(const QString &path);
// Where the program's own files are (designs, languages, help, icons):
// beside the executable in the build tree and in a portable copy, and
// "<prefix>/share/snapstorm/" for "<prefix>/games/snapstorm" in an install
// that follows the file-system layout. With a trailing slash.
QString ProgramDataDir();
// The user's folder for the settings of programs: $XDG_CONFIG_HOME when
// it is an absolute path, else ~/.config.
QString UserConfigDir();
// The user's folder for the data of programs: $XDG_DATA_HOME when it is
// an absolute path, else ~/.local/share.
QString UserDataDir();
