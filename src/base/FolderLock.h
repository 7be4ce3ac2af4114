#pragma once

#include <QString>

// An advisory lock on a folder, held for as long as the object lives, so
// that running copies of the game take turns at the files inside it. The
// folder itself is locked because files in it are replaced by renaming.
class TFolderLock
{
public:
    enum class Mode { Shared, Exclusive };

    // Waits up to `timeoutMs` for the lock; a copy that holds it longer is
    // stuck, and the window must not wait for it.
    TFolderLock(const QString &folder, Mode mode, int timeoutMs);
    ~TFolderLock();
    TFolderLock(const TFolderLock &) = delete;
    TFolderLock &operator=(const TFolderLock &) = delete;

    bool Locked() const { return mLocked; }

private:
    int mFd = -1;
    bool mLocked = false;
};
