#pragma once

#include "play/GameRecording.h"

#include <QString>
#include <QStringList>

#include <optional>

// The recorded games of the high-score table: one small file per entry in
// a folder of their own, named after the entry, so that the table in the
// settings file stays as it is. Every copy of the game shares the folder;
// it is written and pruned while the settings file's lock is held.
class TReplayStore
{
public:
    explicit TReplayStore(QString folder) : mFolder(std::move(folder)) {}

    const QString &Folder() const { return mFolder; }

    // Writes `game` (its Entry set) whole or not at all; EWriteError.
    void Keep(const TGameRecording &game) const;
    // Keeps as many games of each entry as `entries` hold that entry, the
    // newest; every other game (and what killed writes left) goes.
    void Prune(const QStringList &entries) const;
    // The file of the game recorded for `entry`; `occurrence` counts equal
    // entries from the newest. Empty when there is none.
    QString FileOf(const QString &entry, int occurrence = 0) const;
    // The game in `path`; none when it cannot be read.
    static std::optional<TGameRecording> Load(const QString &path);

private:
    // Games of one entry share the start of their file names.
    static QString EntryKey(const QString &entry);
    QStringList GamesOf(const QString &key) const;

    QString mFolder;
};
