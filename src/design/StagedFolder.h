#pragma once

#include "base/FolderLock.h"

#include <QString>
#include <QStringList>

// Writes a design folder whole or not at all. Every file goes first into a
// hidden folder beside the target in the design root (the design list skips
// dot-folders); Commit then swaps the complete folder in with one rename.
// Until then the target keeps every byte, so files of the old design can
// still be read while the new one is written from them.
//
// A kill or crash at any point leaves the design old or new: whatever a
// cut-short save left in the root is put right by RecoverLeftovers, which
// the program runs at every start and before every save.
class TStagedFolder
{
public:
    // Creates the hidden folder for design `name` in `rootDir` at once;
    // EDesignError when it cannot be made or another copy of the game is
    // writing a design there. With a `seedDir` it starts as a copy of that
    // folder's files, for a save in place that rewrites only some (the
    // design may come from the shipped root and go to the player's).
    TStagedFolder(const QString &rootDir, const QString &name, const QString &seedDir = {});
    // Removes the hidden folder unless it was committed.
    ~TStagedFolder();
    TStagedFolder(const TStagedFolder &) = delete;
    TStagedFolder &operator=(const TStagedFolder &) = delete;

    // Where the files are written, with a trailing slash.
    const QString &Dir() const { return mDir; }
    // The design folder the files end up in (an existing one found without
    // regard to letter case), with a trailing slash.
    const QString &TargetDir() const { return mTargetDir; }

    // Replaces the target's files by the staged ones in one step; its
    // sub-folders move along. On failure the target is as it was and
    // EDesignError (or EWriteError) is raised.
    void Commit();

    // Rolls every save that stopped half-way in `rootDir` back (it had not
    // swapped yet) or forward (it had), so each design is whole again.
    // Skipped while another copy of the game is writing there.
    static void RecoverLeftovers(const QString &rootDir);

private:
    void Seed(const QString &from);
    void MoveSubFolders(const QString &from, const QString &to);
    void SwapFolders();
    void RemoveOldFiles(const QString &dir);
    // Test hook: SNAPSTORM_KILL_AT_STEP=n kills the process at the n-th step
    // of this folder's life, so tests can stop a save at every point.
    void Step();

    TFolderLock mLock;
    QString mRoot;
    QString mDir;
    QString mTargetDir;
    int mKillAtStep = 0;
    int mSteps = 0;
    bool mCommitted = false;
};
