#include "base/FolderIndex.h"

#include "base/FileNames.h"

#include <QDir>

TFolderIndex::TFolderIndex(const QString &dir) : mDir(WithTrailingSlash(dir))
{
    const QStringList entries = QDir(dir).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    mNames.reserve(entries.size());
    mByFolded.reserve(entries.size());
    for (const QString &entry : entries) {
        mNames.insert(entry);
        QString &chosen = mByFolded[entry.toCaseFolded()];
        if (chosen.isEmpty() || entry < chosen)
            chosen = entry;
    }
}

QString TFolderIndex::Find(const QString &name) const
{
    if (name.isEmpty())
        return {};
    if (mNames.contains(name))
        return mDir + name;
    const auto it = mByFolded.constFind(name.toCaseFolded());
    return it != mByFolded.cend() ? mDir + *it : QString();
}

QString TFolderIndex::Resolve(const QString &name) const
{
    const QString found = Find(name);
    return found.isEmpty() ? mDir + name : found;
}
