#include "FileNames.h"

#include "base/FolderIndex.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

QString FindEntryNoCase(const QString &dir, const QString &name)
{
    if (name.isEmpty())
        return {};
    const QString exact = WithTrailingSlash(dir) + name;
    if (QFileInfo::exists(exact))
        return exact;
    return TFolderIndex(dir).Find(name);
}

QString ResolvePathNoCase(const QString &dir, const QString &name)
{
    const QString found = FindEntryNoCase(dir, name);
    return found.isEmpty() ? WithTrailingSlash(dir) + name : found;
}

QString WithTrailingSlash(const QString &path)
{
    if (path.isEmpty() || path.endsWith(QLatin1Char('/')))
        return path;
    return path + QLatin1Char('/');
}

QString BareFileName(const QString &name)
{
    const qsizetype slash = std::max(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\')));
    const QString bare = name.mid(slash + 1);
    if (bare == QLatin1String(".") || bare == QLatin1String(".."))
        return {};
    return bare;
}

QString ProgramDataDir()
{
    const QString exeDir = WithTrailingSlash(QCoreApplication::applicationDirPath());
    // Found anew at each call: the folder is known only once the application
    // exists, and nothing is compiled in, so a moved install still works.
    const QString shared = QDir::cleanPath(exeDir + QStringLiteral("../share/snapstorm")) + QLatin1Char('/');
    const bool installed = !QFileInfo(exeDir + QStringLiteral("design")).isDir()
                           && QFileInfo(shared + QStringLiteral("design")).isDir();
    return installed ? shared : exeDir;
}

QString UserDataDir()
{
    const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (QDir::isAbsolutePath(dataHome))
        return dataHome;
    return QDir::homePath() + QStringLiteral("/.local/share");
}

QString UserConfigDir()
{
    const QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (QDir::isAbsolutePath(configHome))
        return configHome;
    return QDir::homePath() + QStringLiteral("/.config");
}
