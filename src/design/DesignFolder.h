#pragma once

#include <QString>
#include <QStringList>

#include <stdexcept>

class TFolderIndex;

// A design is a folder under the design root. Names inside a design folder
// (and the Default folder itself) are matched without regard to letter
// case, since designs are often made on file systems that ignore it.

class EDesignError : public std::runtime_error
{
public:
    explicit EDesignError(const QString &message)
        : std::runtime_error(message.toStdString()) {}
};

// The executable's folder followed by "design/".
QString DesignRootDir();
// The Default folder inside `rootDir` (found without regard to case), with
// its trailing slash.
QString DefaultDesignDir(const QString &rootDir = DesignRootDir());
// True for an empty name and for "default" in any letter case.
bool IsDefaultDesignName(const QString &name);
// True also for names a reader would take for Default: blanks around it,
// accents, invisible characters, or letters of other scripts that look
// like Latin ones ("Dеfault" with a Cyrillic "е").
bool LooksLikeDefaultName(const QString &name);

// Clears `list`, then adds the name of every folder matching `mask` (a path
// whose last part is a wildcard pattern; "*.*" means every entry) that is
// not hidden and does not begin with ".".
void ListDesignDirs(const QString &mask, QStringList &list);
// Clears `list`, then adds the name of every non-folder entry matching
// `mask`; the pattern is matched without regard to case.
void ListFiles(const QString &mask, QStringList &list);
// True when both files can be read and hold the same bytes.
bool SameFileContents(const QString &a, const QString &b);
// The path with a trailing "/" unless it is empty or ends in one already.
QString IncludeBackslash(const QString &path);

// Design names for the Design menu: every design folder under `rootDir`,
// sorted without regard to case, the Default design left out (the menu
// carries it as its fixed first item).
QStringList DesignMenuNames(const QString &rootDir = DesignRootDir());
// Sorts names alphabetically without regard to case (ties by exact text,
// so the order never depends on the file system).
void SortNamesNoCase(QStringList &names);

// The file names of a design folder.
QString ImageGifName(int i);
QString ImageBmpName(int i);
QString SoundName(int n);
QString PhotoName(int k);
inline constexpr const char *DesignIniName = "!design.ini";
// True for the names above (in any letter case): the only files a design
// is made of.
bool IsDesignFileName(const QString &name);

// The entry `name` in `dir` when it exists under any letter case, else empty.
QString ExistingFileNoCase(const QString &dir, const QString &name);
// The same in a folder listed beforehand.
QString ExistingFileNoCase(const TFolderIndex &index, const QString &name);
// Deletes every entry of `dir` whose name equals `name` without regard to
// case. A missing file is no error; a file that stays raises EDesignError.
void RemoveFileNoCase(const QString &dir, const QString &name);
// The path to write `name` to in `dir`: other-case copies of the same name
// are deleted first, so a reader never finds a stale one.
QString WritePathNoCase(const QString &dir, const QString &name);
// Reads a whole decimal number with optional sign and no blanks, as the
// key list stores numbers; false when the text is anything else.
bool ParseInt32(const QString &text, int &value);
