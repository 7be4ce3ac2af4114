#include "session/ReplayStore.h"

#include "base/FileWriter.h"
#include "base/TextFile.h"
#include "play/ReplayScript.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QHash>

#include <algorithm>

namespace {

const QString kSuffix = QStringLiteral(".game");
// A recording of a very long game is some ten kilobytes.
constexpr qint64 kMaxGameSize = 16 * 1024 * 1024;

} // namespace

QString TReplayStore::EntryKey(const QString &entry)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(entry.toUtf8(), QCryptographicHash::Sha256).toHex().left(20));
}

QStringList TReplayStore::GamesOf(const QString &key) const
{
    // Names end in the time the game was kept: newest first.
    QStringList names = QDir(mFolder).entryList({key + QStringLiteral("-*") + kSuffix}, QDir::Files, QDir::Name);
    std::reverse(names.begin(), names.end());
    return names;
}

void TReplayStore::Keep(const TGameRecording &game) const
{
    if (const int error = MakeFolderPath(mFolder))
        throw WriteFailure(mFolder, error);
    const QString stamp = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddHHmmsszzz"));
    const QString name = EntryKey(game.Entry) + QLatin1Char('-') + stamp + QLatin1Char('-')
                         + QString::number(game.Seed, 16) + kSuffix;
    WriteFileAtomic(QDir(mFolder).filePath(name), game.Serialize());
}

void TReplayStore::Prune(const QStringList &entries) const
{
    QDir dir(mFolder);
    if (!dir.exists())
        return;
    QHash<QString, int> wanted;
    for (const QString &entry : entries)
        ++wanted[EntryKey(entry)];
    const QStringList names = dir.entryList({QStringLiteral("*") + kSuffix}, QDir::Files, QDir::Name);
    QHash<QString, int> seen;
    // Newest first, so that the newest games of an entry stay.
    for (auto it = names.crbegin(); it != names.crend(); ++it) {
        const QString key = it->section(QLatin1Char('-'), 0, 0);
        if (++seen[key] > wanted.value(key))
            dir.remove(*it);
    }
    // The parts a copy killed while writing left; the lock says none writes now.
    for (const QString &part : dir.entryList({QStringLiteral(".*") + kSuffix + QStringLiteral(".*.part")},
                                             QDir::Files | QDir::Hidden | QDir::System))
        dir.remove(part);
}

QString TReplayStore::FileOf(const QString &entry, int occurrence) const
{
    const QStringList names = GamesOf(EntryKey(entry));
    return occurrence >= 0 && occurrence < names.size() ? QDir(mFolder).filePath(names.at(occurrence))
                                                         : QString();
}

std::optional<TGameRecording> TReplayStore::Load(const QString &path)
{
    const std::optional<QByteArray> bytes = ReadRegularFile(path, kMaxGameSize);
    if (!bytes)
        return std::nullopt;
    try {
        return TGameRecording::Parse(*bytes);
    } catch (const EReplayError &) {
        return std::nullopt;
    }
}
