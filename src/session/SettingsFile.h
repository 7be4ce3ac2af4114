#pragma once

#include "base/KeyValueList.h"

#include <QString>
#include <QStringList>

#include <functional>

// Where the settings are read and written.
struct TSettingsLocation {
    QString Path;
    // Read instead while Path does not exist yet: the file of a system-wide
    // install, which the player cannot write. May be empty.
    QString SeedPath;
};

// The settings file that every running copy of the game shares. Saving
// re-reads the file under a lock and merges it with the list in memory, so
// two copies never lose each other's high scores or settings.
class TSettingsFile
{
public:
    using TIsWritable = std::function<bool(const QString &path)>;

    // Beside the executable while that folder (or at least the file in it)
    // is writable; else in the user's config folder.
    static TSettingsLocation Locate(const QString &exeDir, const QString &baseName,
                                    const QString &configDir, const TIsWritable &isWritable);
    static TSettingsLocation Locate(const QString &exeDir, const QString &baseName,
                                    const QString &configDir);

    // Where the games of the high-score table are kept for settings at
    // `settingsPath`: beside a portable copy's settings, else in the
    // user's data folder.
    static QString ReplayFolderFor(const QString &settingsPath, const QString &configDir,
                                   const QString &dataDir);

    explicit TSettingsFile(TSettingsLocation location) : mLocation(std::move(location)) {}

    const QString &Path() const { return mLocation.Path; }
    // A missing or unreadable file gives an empty list.
    void Load(TKeyValueList &settings);
    // Writes the merge of `settings` and the file as it is now and makes
    // that the list in memory. On failure `settings` stay as they were, to
    // be written at the next chance, and ErrorString says why. `written`
    // runs after a successful write while the lock is still held, with the
    // settings as written: files that follow the table change with it.
    using TWritten = std::function<void(const QStringList &lines)>;
    bool Save(TKeyValueList &settings, const TWritten &written = {});
    QString ErrorString() const { return mError; }
    void SetLockTimeout(int milliseconds) { mLockTimeoutMs = milliseconds; }

    // `base` is the file as this copy last read or wrote it, `mine` the
    // list in memory, `theirs` the file now. Keys this copy changed take
    // its value, all other lines stay as in `theirs`; the high-score table
    // becomes the best of theirs and the entries this copy added.
    static QStringList Merge(const QStringList &base, const QStringList &mine,
                             const QStringList &theirs);

private:
    QString FolderPath() const;

    TSettingsLocation mLocation;
    QStringList mBase;
    QString mError;
    int mLockTimeoutMs = 2000;
};
