#pragma once

#include "base/FolderLock.h"

#include <QString>

#include <memory>

// A folder of this process's own for files it needs only while it runs
// ("<base>/<pid>.XXXXXX/"), locked for as long as the object lives and removed
// with it. A copy of the game that was killed or crashed cannot remove its
// own: the next one to make such a folder, or to start, removes every
// folder under `base` whose lock no one holds.
class TScratchFolder
{
public:
    // Raises EWriteError naming the folder and the cause when it cannot be made.
    explicit TScratchFolder(const QString &base);
    ~TScratchFolder();
    TScratchFolder(const TScratchFolder &) = delete;
    TScratchFolder &operator=(const TScratchFolder &) = delete;

    // With a trailing slash.
    const QString &Path() const { return mPath; }

    // Files matching `pattern` (a path whose name may hold ? and *) are
    // removed with this folder should the process die before they go: a
    // library's temporary file beside a target, say.
    void NoteLeftovers(const QString &pattern) const;

    // Removes the folders under `base` of copies that no longer run, and
    // the files they noted.
    static void RemoveAbandoned(const QString &base);
    // Under the user's cache folder ($XDG_CACHE_HOME), not in /tmp, which
    // is memory on most desktops. With a trailing slash.
    static QString StandardBase();

private:
    QString mPath;
    std::unique_ptr<TFolderLock> mLock;
};
