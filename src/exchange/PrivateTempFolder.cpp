#include "PrivateTempFolder.h"

#include "base/FileNames.h"
#include "exchange/MailError.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString SystemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

[[noreturn]] void Refuse(const QString &folder, const QString &why)
{
    throw EMailError(QStringLiteral("The temporary folder \"%1\" cannot be used: %2").arg(folder, why));
}

// Checked on the open folder itself, so nothing can be swapped in between
// the check and the change of mode.
void CheckOwnFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        Refuse(folder, errno == ELOOP || errno == ENOTDIR ? QStringLiteral("it is not a folder") : SystemError());
    struct stat info {};
    const bool own = ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid();
    const bool tight = own && ((info.st_mode & 07777) == 0700 || ::fchmod(fd, 0700) == 0);
    ::close(fd);
    if (!own)
        Refuse(folder, QStringLiteral("it belongs to another user"));
    if (!tight)
        Refuse(folder, SystemError());
}

} // namespace

QString PrivateTempFolder(const QString &base)
{
    const QString root = base.isEmpty() ? QDir::tempPath() : base;
    const QString folder = WithTrailingSlash(root) + QStringLiteral("snapstorm-%1").arg(::getuid());
    if (::mkdir(QFile::encodeName(folder).constData(), 0700) != 0 && errno != EEXIST)
        Refuse(folder, SystemError());
    CheckOwnFolder(folder);
    return folder + QLatin1Char('/');
}
