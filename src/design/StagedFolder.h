#pragma once

#include <QString>
#include <QStringList>

// Writes a design folder whole or not at all. Every file goes first into a
// hidden folder beside the target in the design root (the design list skips
// dot-folders); Commit then swaps the complete set in. Until then the target
// keeps every byte, so files of the old design can still be read while the
// new one is written from them.
class TStagedFolder
{
public:
    // Creates the hidden folder for design `name` in `rootDir` at once;
    // EDesignError when it cannot be made. With `seedFromTarget` it starts
    // as a copy of the target's files, for a save in place that rewrites
    // only some of them.
    TStagedFolder(const QString &rootDir, const QString &name, bool seedFromTarget);
    // Removes the hidden folder unless it was committed.
    ~TStagedFolder();
    TStagedFolder(const TStagedFolder &) = delete;
    TStagedFolder &operator=(const TStagedFolder &) = delete;

    // Where the files are written, with a trailing slash.
    const QString &Dir() const { return mDir; }
    // The design folder the files end up in (an existing one found without
    // regard to letter case), with a trailing slash.
    const QString &TargetDir() const { return mTargetDir; }

    // Replaces the target's files by the staged ones; its sub-folders stay.
    // On failure every file moved so far is put back, so the target is as it
    // was, and EDesignError is raised.
    void Commit();

private:
    void Seed();
    void SwapIntoExisting();
    void RollBack(const QString &backupDir, const QStringList &moved, const QStringList &placed);

    QString mDir;
    QString mTargetDir;
    bool mCommitted = false;
};
