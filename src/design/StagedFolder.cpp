#include "design/StagedFolder.h"

#include "base/FileNames.h"
#include "base/FileWriter.h"
#include "design/DesignFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

// How long a save waits for another copy of the game that writes a design.
constexpr int LockTimeoutMs = 5000;

QStringList FilesOf(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                               QDir::Name);
}

QStringList SubFoldersOf(const QString &dir)
{
    return QDir(dir).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks,
                               QDir::Name);
}

// Says what failed on which folder, and why (errno at the call).
[[noreturn]] void Fail(const QString &what, const QString &path, int error)
{
    throw EDesignError(QStringLiteral("%1 %2: %3.").arg(what, QDir::toNativeSeparators(path), WriteErrorText(error)));
}

bool Rename(const QString &from, const QString &to)
{
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

QString MadeRoot(const QString &rootDir)
{
    const QString root = WithTrailingSlash(rootDir);
    if (const int error = MakeFolderPath(root))
        Fail(QStringLiteral("Cannot create folder"), root, error);
    return root;
}

QString Unslashed(const QString &dir)
{
    return QDir::cleanPath(dir);
}

// The hidden folders a save leaves in the root while it runs: the new
// files before the swap, and the old ones after a swap by two renames.
QString StagingName(const QString &design)
{
    return QLatin1Char('.') + design + QStringLiteral(".saving");
}

QString OldName(const QString &design)
{
    return QLatin1Char('.') + design + QStringLiteral(".old");
}

// Sub-folders the target lacks come back from a leftover, so no recovery
// ever deletes one.
void RescueSubFolders(const QString &leftover, const QString &target)
{
    for (const QString &sub : SubFoldersOf(leftover)) {
        if (!QFileInfo::exists(target + sub))
            Rename(leftover + sub, target + sub);
    }
}

// A folder that an earlier version moved the old files into one by one,
// while moving the new ones in: putting the old ones back gives the old
// design again.
void RestoreMovedFiles(const QString &leftover, const QString &target)
{
    for (const QString &name : FilesOf(leftover))
        Rename(leftover + name, target + name);
}

void RecoverOne(const QString &root, const QString &leftover)
{
    static const QRegularExpression pattern(QStringLiteral("^\\.(.+)\\.(saving|old|old-[A-Za-z0-9]{6})$"));
    const QRegularExpressionMatch match = pattern.match(leftover);
    if (!match.hasMatch())
        return;
    const QString from = root + leftover + QLatin1Char('/');
    const QString target = root + match.captured(1) + QLatin1Char('/');
    const QString kind = match.captured(2);
    const bool targetGone = !QFileInfo(target).isDir();
    // A design folder that was a link, swapped out by an earlier version:
    // the link goes back or goes, never what it points to.
    if (QFileInfo(root + leftover).isSymLink()) {
        if (!(kind != QLatin1String("saving") && targetGone && Rename(root + leftover, Unslashed(target))))
            QFile::remove(root + leftover);
        return;
    }
    // The old folder of a swap by two renames, cut between the two.
    if (kind != QLatin1String("saving") && targetGone) {
        Rename(Unslashed(from), Unslashed(target));
        return;
    }
    if (!targetGone) {
        if (kind.startsWith(QLatin1String("old-")))
            RestoreMovedFiles(from, target);
        RescueSubFolders(from, target);
    }
    QDir(from).removeRecursively();
}

} // namespace

TStagedFolder::TStagedFolder(const QString &rootDir, const QString &name, const QString &seedDir)
    : mLock(MadeRoot(rootDir), TFolderLock::Mode::Exclusive, LockTimeoutMs)
    , mRoot(WithTrailingSlash(rootDir))
    , mKillAtStep(qEnvironmentVariableIntValue("SNAPSTORM_KILL_AT_STEP"))
{
    if (!mLock.Locked())
        throw EDesignError(QStringLiteral("Another copy of Snapstorm is saving a design in %1; "
                                          "please try again in a moment.")
                               .arg(QDir::toNativeSeparators(mRoot)));
    mTargetDir = WithTrailingSlash(ResolvePathNoCase(mRoot, name));
    const QString design = QFileInfo(Unslashed(mTargetDir)).fileName();
    for (const QString &leftover : {OldName(design), StagingName(design)}) {
        if (QFileInfo(mRoot + leftover).isDir() || QFileInfo(mRoot + leftover).isSymLink())
            RecoverOne(mRoot, leftover);
    }
    if (QFileInfo(Unslashed(mTargetDir)).isSymLink())
        throw EDesignError(QStringLiteral("The design folder %1 is a link to another folder; Snapstorm "
                                          "replaces only folders of its own. Save the design under "
                                          "another name.")
                               .arg(QDir::toNativeSeparators(Unslashed(mTargetDir))));
    if (::mkdir(QFile::encodeName(mRoot + StagingName(design)).constData(), 0777) != 0) {
        const int error = errno;
        Fail(QStringLiteral("Cannot create folder"), mRoot + StagingName(design), error);
    }
    mDir = WithTrailingSlash(mRoot + StagingName(design));
    Step();
    // No destructor runs for a constructor that throws: clean up here.
    try {
        if (!seedDir.isEmpty() && QFileInfo(seedDir).isDir())
            Seed(WithTrailingSlash(seedDir));
    } catch (...) {
        QDir(mDir).removeRecursively();
        throw;
    }
}

TStagedFolder::~TStagedFolder()
{
    if (mCommitted || mDir.isEmpty())
        return;
    if (QFileInfo(mTargetDir).isDir())
        RescueSubFolders(mDir, mTargetDir);
    QDir(mDir).removeRecursively();
}

void TStagedFolder::Step()
{
    if (mKillAtStep > 0 && ++mSteps == mKillAtStep)
        std::raise(SIGKILL);
}

void TStagedFolder::Seed(const QString &from)
{
    for (const QString &name : FilesOf(from))
        CopyFileAtomic(from + name, mDir + name);
    Step();
}

void TStagedFolder::Commit()
{
    Step();
    SyncFolder(mDir);
    if (!QFileInfo(mTargetDir).isDir()) {
        if (!Rename(Unslashed(mDir), Unslashed(mTargetDir)))
            Fail(QStringLiteral("Cannot create folder"), mTargetDir, errno);
        mCommitted = true;
        SyncFolder(mRoot);
        Step();
        return;
    }
    try {
        MoveSubFolders(mTargetDir, mDir);
        SwapFolders();
    } catch (...) {
        RescueSubFolders(mDir, mTargetDir);
        throw;
    }
}

void TStagedFolder::MoveSubFolders(const QString &from, const QString &to)
{
    for (const QString &sub : SubFoldersOf(from)) {
        if (!Rename(from + sub, to + sub))
            Fail(QStringLiteral("Cannot move folder to"), to + sub, errno);
        Step();
    }
}

// One rename swaps the two folders, so the design is whole before and
// after it. File systems without that fall back to two renames, which
// RecoverLeftovers completes should the program stop between them.
void TStagedFolder::SwapFolders()
{
    const QByteArray staged = QFile::encodeName(Unslashed(mDir));
    const QByteArray target = QFile::encodeName(Unslashed(mTargetDir));
    QString oldDir = mDir;
    if (::renameat2(AT_FDCWD, staged.constData(), AT_FDCWD, target.constData(), RENAME_EXCHANGE) != 0) {
        if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
            Fail(QStringLiteral("Cannot replace folder"), mTargetDir, errno);
        oldDir = WithTrailingSlash(mRoot + OldName(QFileInfo(Unslashed(mTargetDir)).fileName()));
        if (!Rename(Unslashed(mTargetDir), Unslashed(oldDir)))
            Fail(QStringLiteral("Cannot replace folder"), mTargetDir, errno);
        Step();
        if (!Rename(Unslashed(mDir), Unslashed(mTargetDir))) {
            const int error = errno;
            Rename(Unslashed(oldDir), Unslashed(mTargetDir));
            Fail(QStringLiteral("Cannot replace folder"), mTargetDir, error);
        }
    }
    mCommitted = true;
    SyncFolder(mRoot);
    Step();
    RemoveOldFiles(oldDir);
}

void TStagedFolder::RemoveOldFiles(const QString &dir)
{
    for (const QString &name : FilesOf(dir)) {
        QFile::remove(dir + name);
        Step();
    }
    QDir(dir).removeRecursively();
}

void TStagedFolder::RecoverLeftovers(const QString &rootDir)
{
    const QString root = WithTrailingSlash(rootDir);
    if (!QFileInfo(root).isDir())
        return;
    TFolderLock lock(root, TFolderLock::Mode::Exclusive, 0);
    if (!lock.Locked())
        return;
    QStringList leftovers = QDir(root).entryList(QDir::Dirs | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    // Old folders first: one cut between two renames is the design itself.
    std::stable_partition(leftovers.begin(), leftovers.end(),
                          [](const QString &name) { return !name.endsWith(QLatin1String(".saving")); });
    for (const QString &leftover : leftovers)
        RecoverOne(root, leftover);
}
