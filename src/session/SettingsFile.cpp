#include "session/SettingsFile.h"

#include "play/HighScoreTable.h"

#include "base/FolderLock.h"
#include "base/FileWriter.h"
#include "base/TextFile.h"

#include <QDir>
#include <QFileInfo>

#include <unistd.h>

namespace {

const QString ScorePrefix = QStringLiteral("Score=");
const QString ScoreKey = QStringLiteral("Score");

QStringList ScoreEntries(const QStringList &lines)
{
    QStringList entries;
    ReadPrefixedLines(ScorePrefix, lines, entries);
    return entries;
}

// Entries of `of` beyond those of `minus`, counting duplicates.
QStringList EntriesAdded(QStringList of, const QStringList &minus)
{
    for (const QString &entry : minus)
        of.removeOne(entry);
    return of;
}

// The single keys found in either list, each once.
QStringList KeysOf(const QStringList &a, const QStringList &b)
{
    QStringList keys;
    for (const QStringList *lines : {&a, &b}) {
        for (const QString &line : *lines) {
            const QString key = TKeyValueList::KeyOf(line);
            if (!key.isEmpty() && key.compare(ScoreKey, Qt::CaseInsensitive) != 0
                && !keys.contains(key, Qt::CaseInsensitive))
                keys.append(key);
        }
    }
    return keys;
}

bool IsWritablePath(const QString &path)
{
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0;
}

} // namespace

TSettingsLocation TSettingsFile::Locate(const QString &exeDir, const QString &baseName,
                                        const QString &configDir, const TIsWritable &isWritable)
{
    const QString name = baseName + QStringLiteral(".ini");
    const QString portable = QDir(exeDir).filePath(name);
    const bool exists = QFileInfo(portable).isFile();
    if (isWritable(exeDir) || (exists && isWritable(portable)))
        return {portable, {}};
    return {QDir(configDir).filePath(QStringLiteral("snapstorm/") + name), exists ? portable : QString()};
}

TSettingsLocation TSettingsFile::Locate(const QString &exeDir, const QString &baseName,
                                        const QString &configDir)
{
    return Locate(exeDir, baseName, configDir, IsWritablePath);
}

QString TSettingsFile::ReplayFolderFor(const QString &settingsPath, const QString &configDir,
                                       const QString &dataDir)
{
    const QString folder = QFileInfo(settingsPath).absolutePath();
    const QString userSettings = QDir(configDir).absoluteFilePath(QStringLiteral("snapstorm"));
    if (QDir::cleanPath(folder) == QDir::cleanPath(userSettings))
        return QDir(dataDir).filePath(QStringLiteral("snapstorm/replays"));
    return QDir(folder).filePath(QStringLiteral("replays"));
}

QString TSettingsFile::FolderPath() const
{
    return QFileInfo(mLocation.Path).absolutePath();
}

void TSettingsFile::Load(TKeyValueList &settings)
{
    const TFolderLock lock(FolderPath(), TFolderLock::Mode::Shared, mLockTimeoutMs);
    settings.Lines() = SplitLines(ReadTextFile(mLocation.Path));
    // Lines taken from elsewhere count as this copy's own changes.
    mBase = settings.Lines();
    if (!QFileInfo::exists(mLocation.Path) && !mLocation.SeedPath.isEmpty()) {
        settings.Lines() = SplitLines(ReadTextFile(mLocation.SeedPath));
        mBase.clear();
    }
}

bool TSettingsFile::Save(TKeyValueList &settings, const TWritten &written)
{
    const QString folder = FolderPath();
    QDir().mkpath(folder);
    const TFolderLock lock(folder, TFolderLock::Mode::Exclusive, mLockTimeoutMs);
    if (!lock.Locked()) {
        mError = QStringLiteral("The settings could not be saved: the folder %1 cannot be locked.").arg(folder);
        return false;
    }
    // What a copy killed mid-save left behind; the lock says none saves now.
    RemoveLeftoverParts(mLocation.Path);
    QStringList theirs;
    if (QFileInfo::exists(mLocation.Path)) {
        const std::optional<QByteArray> bytes = ReadRegularFile(mLocation.Path, MaxTextFileSize);
        if (!bytes) {
            mError = QStringLiteral("The settings could not be saved: %1 cannot be read.").arg(mLocation.Path);
            return false;
        }
        theirs = SplitLines(DecodeText(*bytes));
    }
    QStringList merged = Merge(mBase, settings.Lines(), theirs);
    // The padding a rewrite in place cut short by a kill left behind.
    while (!merged.isEmpty() && merged.constLast().isEmpty())
        merged.removeLast();
    QString text;
    for (const QString &line : merged)
        text += line + QLatin1Char('\n');
    try {
        WriteFileAtomic(mLocation.Path, text.toUtf8(), WriteFallback::InPlace);
    } catch (const EWriteError &e) {
        mError = QStringLiteral("The settings and high scores could not be saved. %1 The file keeps what it "
                                "held before.")
                     .arg(QString::fromUtf8(e.what()));
        return false;
    }
    settings.Lines() = merged;
    mBase = merged;
    if (written)
        written(merged);
    return true;
}

QStringList TSettingsFile::Merge(const QStringList &base, const QStringList &mine,
                                 const QStringList &theirs)
{
    TKeyValueList result(theirs);
    const TKeyValueList baseList(base);
    const TKeyValueList mineList(mine);
    for (const QString &key : KeysOf(base, mine)) {
        const QString value = mineList.Value(key);
        if (value != baseList.Value(key))
            result.SetValue(key, value);
    }
    const QStringList mineScores = ScoreEntries(mine);
    const QStringList added = EntriesAdded(mineScores, ScoreEntries(base));
    // Untouched here: the other copy's score lines stay as they stand.
    if (added.isEmpty() && EntriesAdded(ScoreEntries(base), mineScores).isEmpty())
        return result.Lines();
    THighScoreTable(ScoreEntries(theirs) + added).WriteTo(result);
    return result.Lines();
}
