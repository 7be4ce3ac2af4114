#include "design/DesignHash.h"

#include "design/DesignFolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

namespace {

QString FolderOf(const TDesignRoots &roots, const QString &designName)
{
    return IsDefaultDesignName(designName) ? roots.DefaultDir() : roots.DirOf(designName);
}

} // namespace

QString DesignFilesHash(const QString &folder)
{
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists())
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    // Previews and other hidden files are not the design.
    const QStringList names = dir.entryList(QDir::Files, QDir::Name);
    for (const QString &name : names) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        hash.addData(name.toLower().toUtf8() + '\0');
        hash.addData(&file);
    }
    return QString::fromLatin1(hash.result().toHex());
}

QString DesignFilesHash(const TDesignRoots &roots, const QString &designName)
{
    return DesignExists(roots, designName) ? DesignFilesHash(FolderOf(roots, designName)) : QString();
}

bool DesignExists(const TDesignRoots &roots, const QString &designName)
{
    return QFileInfo(FolderOf(roots, designName) + QStringLiteral("!design.ini")).isFile()
           || (IsDefaultDesignName(designName) && QDir(roots.DefaultDir()).exists());
}
