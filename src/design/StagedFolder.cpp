#include "design/StagedFolder.h"

#include "base/FileNames.h"
#include "design/DesignFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

QStringList FilesOf(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                               QDir::Name);
}

[[noreturn]] void Fail(const QString &what, const QString &path)
{
    throw EDesignError(QStringLiteral("%1 %2").arg(what, QDir::toNativeSeparators(path)));
}

void MoveFile(const QString &from, const QString &to)
{
    if (!QFile::rename(from, to))
        Fail(QStringLiteral("Cannot move file to"), to);
}

} // namespace

TStagedFolder::TStagedFolder(const QString &rootDir, const QString &name, bool seedFromTarget)
{
    const QString root = WithTrailingSlash(rootDir);
    if (!QDir().mkpath(root))
        Fail(QStringLiteral("Cannot create folder"), root);
    mTargetDir = WithTrailingSlash(ResolvePathNoCase(root, name));
    const QString staging = root + QLatin1Char('.') + QFileInfo(QDir::cleanPath(mTargetDir)).fileName()
                            + QStringLiteral(".saving");
    // Only a save that never finished leaves this folder behind; it never
    // holds the only copy of anything.
    if (QFileInfo(staging).isDir() && !QFileInfo(staging).isSymLink())
        QDir(staging).removeRecursively();
    if (!QDir(root).mkdir(QFileInfo(staging).fileName()))
        Fail(QStringLiteral("Cannot create folder"), staging);
    mDir = WithTrailingSlash(staging);
    if (seedFromTarget && QFileInfo(mTargetDir).isDir())
        Seed();
}

TStagedFolder::~TStagedFolder()
{
    if (!mCommitted)
        QDir(mDir).removeRecursively();
}

void TStagedFolder::Seed()
{
    for (const QString &name : FilesOf(mTargetDir)) {
        if (!QFile::copy(mTargetDir + name, mDir + name))
            Fail(QStringLiteral("Cannot copy file"), mTargetDir + name);
    }
}

void TStagedFolder::Commit()
{
    if (!QFileInfo(mTargetDir).isDir()) {
        if (!QDir().rename(QDir::cleanPath(mDir), QDir::cleanPath(mTargetDir)))
            Fail(QStringLiteral("Cannot create folder"), mTargetDir);
    } else {
        SwapIntoExisting();
        QDir(mDir).removeRecursively();
    }
    mCommitted = true;
}

// Renames stay within the design root, so each move is a single step that
// cannot leave half a file behind.
void TStagedFolder::SwapIntoExisting()
{
    const QString root = QFileInfo(QDir::cleanPath(mTargetDir)).absolutePath();
    QTemporaryDir backup(root + QStringLiteral("/.") + QFileInfo(QDir::cleanPath(mTargetDir)).fileName()
                         + QStringLiteral(".old-XXXXXX"));
    if (!backup.isValid())
        Fail(QStringLiteral("Cannot create folder in"), root);
    backup.setAutoRemove(false);
    const QString backupDir = WithTrailingSlash(backup.path());
    QStringList moved, placed;
    try {
        for (const QString &name : FilesOf(mTargetDir)) {
            MoveFile(mTargetDir + name, backupDir + name);
            moved.append(name);
        }
        for (const QString &name : FilesOf(mDir)) {
            MoveFile(mDir + name, mTargetDir + name);
            placed.append(name);
        }
    } catch (...) {
        RollBack(backupDir, moved, placed);
        throw;
    }
    QDir(backupDir).removeRecursively();
}

void TStagedFolder::RollBack(const QString &backupDir, const QStringList &moved, const QStringList &placed)
{
    for (const QString &name : placed)
        QFile::rename(mTargetDir + name, mDir + name);
    bool restored = true;
    for (const QString &name : moved)
        restored = QFile::rename(backupDir + name, mTargetDir + name) && restored;
    // Whatever could not be put back stays in the backup rather than be lost.
    if (restored)
        QDir(backupDir).removeRecursively();
}
