#include "base/ScratchFolder.h"

#include "base/FileNames.h"
#include "base/FileWriter.h"
#include "base/TextFile.h"

#include <QDir>
#include <QStandardPaths>

#include <cerrno>

#include <cstdlib>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString NotesName = QStringLiteral("leftovers");

// Only regular files: a link of that name is not followed, nor removed.
void RemoveMatching(const QString &pattern)
{
    const QFileInfo info(pattern);
    const QDir dir(info.path(), info.fileName(), QDir::Name, QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QString &name : dir.entryList())
        QFile::remove(dir.filePath(name));
}

} // namespace

TScratchFolder::TScratchFolder(const QString &base)
{
    RemoveAbandoned(base);
    if (const int error = MakeFolderPath(base))
        throw EWriteError(QStringLiteral("Cannot create folder \"%1\": %2.").arg(base, WriteErrorText(error)),
                          error, base);
    // Another copy sweeping between the folder's making and its lock takes
    // it for abandoned: then another is made.
    for (int attempt = 0; attempt < 3 && !(mLock && mLock->Locked()); ++attempt) {
        QByteArray path = QFile::encodeName(WithTrailingSlash(base) + QStringLiteral("%1.XXXXXX").arg(::getpid()));
        if (!::mkdtemp(path.data()))
            throw EWriteError(QStringLiteral("Cannot create folder \"%1\": %2.").arg(base, WriteErrorText(errno)),
                              errno, base);
        mPath = WithTrailingSlash(QFile::decodeName(path));
        mLock = std::make_unique<TFolderLock>(mPath, TFolderLock::Mode::Exclusive, 0);
    }
}

TScratchFolder::~TScratchFolder()
{
    QDir(mPath).removeRecursively();
}

void TScratchFolder::NoteLeftovers(const QString &pattern) const
{
    QFile notes(mPath + NotesName);
    if (!notes.open(QIODevice::Append) || notes.write(pattern.toUtf8() + '\n') < 0 || !notes.flush())
        throw EWriteError(QStringLiteral("Cannot save \"%1\": %2.").arg(notes.fileName(), notes.errorString()));
}

void TScratchFolder::RemoveAbandoned(const QString &base)
{
    const QDir dir(base);
    for (const QString &name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks)) {
        const QString path = dir.filePath(name);
        const TFolderLock owner(path, TFolderLock::Mode::Exclusive, 0);
        if (!owner.Locked())
            continue;
        const QString notes = ReadTextFile(WithTrailingSlash(path) + NotesName);
        for (const QString &pattern : notes.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            RemoveMatching(pattern);
        QDir(path).removeRecursively();
    }
}

QString TScratchFolder::StandardBase()
{
    return WithTrailingSlash(QStandardPaths::writableLocation(QStandardPaths::CacheLocation))
           + QStringLiteral("scratch/");
}
