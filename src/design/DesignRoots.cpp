#include "design/DesignRoots.h"

#include "base/FileNames.h"
#include "design/DesignFolder.h"

#include <QDir>
#include <QFileInfo>

#include <unistd.h>

namespace {

QString PlayerRootFor(const QString &shipped)
{
    // access() asks for this user: an install owned by root is not the
    // player's to write, whatever its mode says to others.
    const bool writable = ::access(QFile::encodeName(shipped).constData(), W_OK) == 0;
    if (writable)
        return shipped;
    return WithTrailingSlash(QDir::cleanPath(UserDataDir())) + QStringLiteral("snapstorm/design/");
}

} // namespace

TDesignRoots::TDesignRoots(const QString &shipped, const QString &player)
    : mShipped(WithTrailingSlash(shipped)), mPlayer(WithTrailingSlash(player))
{
}

TDesignRoots::TDesignRoots(const QString &root)
    : TDesignRoots(root, root)
{
}

TDesignRoots TDesignRoots::Standard()
{
    return ForShipped(DesignRootDir());
}

TDesignRoots TDesignRoots::ForShipped(const QString &shipped)
{
    return TDesignRoots(shipped, PlayerRootFor(WithTrailingSlash(shipped)));
}

QString TDesignRoots::DirOf(const QString &name) const
{
    if (Separate() && !IsDefaultDesignName(name)) {
        const QString own = FindEntryNoCase(mPlayer, name);
        if (!own.isEmpty() && QFileInfo(own).isDir())
            return WithTrailingSlash(own);
    }
    return WithTrailingSlash(ResolvePathNoCase(mShipped, name));
}

QString TDesignRoots::DefaultDir() const
{
    return DefaultDesignDir(mShipped);
}

bool TDesignRoots::IsPlayers(const QString &name) const
{
    return Separate() && DirOf(name).startsWith(mPlayer);
}

QString TDesignRoots::Caption(const QString &name) const
{
    return IsPlayers(name) ? name + QStringLiteral("  \u2605") : name;
}

QStringList TDesignRoots::Names(bool withDefault) const
{
    QStringList names = DesignMenuNames(mShipped);
    if (Separate()) {
        for (const QString &name : DesignMenuNames(mPlayer)) {
            if (!names.contains(name, Qt::CaseInsensitive))
                names.append(name);
        }
    }
    const QString defaultDir = QDir::cleanPath(DefaultDir());
    if (withDefault && QFileInfo(defaultDir).isDir())
        names.append(QFileInfo(defaultDir).fileName());
    SortNamesNoCase(names);
    return names;
}
