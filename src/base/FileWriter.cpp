#include "FileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray Native(const QString &path)
{
    return QFile::encodeName(path);
}

// The mode the new file gets: an existing regular file's own, else what
// the umask leaves of rw for everyone (open applies it). Never a mode taken
// through a link: a link to a device would hand over rw for everyone.
mode_t ModeFor(const QByteArray &target, bool &exists)
{
    struct stat info {};
    exists = ::lstat(target.constData(), &info) == 0 && S_ISREG(info.st_mode);
    return exists ? (info.st_mode & 07777) : 0666;
}

bool WriteAll(int fd, const char *data, qint64 size, int &error)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = n < 0 ? errno : ENOSPC;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

// Test hook: SNAPSTORM_KILL_AT_STEP=n kills the process at the n-th step
// of an in-place rewrite.
class TKillSteps
{
public:
    void Step()
    {
        if (mKillAt > 0 && ++mSteps == mKillAt)
            ::kill(::getpid(), SIGKILL);
    }

private:
    int mKillAt = qEnvironmentVariableIntValue("SNAPSTORM_KILL_AT_STEP");
    int mSteps = 0;
};

bool WriteAllAt(int fd, const QByteArray &bytes, off_t offset, int &error)
{
    return ::lseek(fd, offset, SEEK_SET) == offset ? WriteAll(fd, bytes.constData(), bytes.size(), error)
                                                   : (error = errno, false);
}

// Rewrites an existing file where it stands, so that a kill at any moment
// leaves the old text or the new one, blank lines aside (they read as
// nothing). A longer text first grows the old one by line breaks, which
// reserves the space: a full disk stops it there. Then the new text, padded
// with line breaks to the file's length, goes over the old in one write and
// reaches the disk before the file is cut to its new length.
void RewriteInPlace(const QString &path, const QByteArray &bytes)
{
    const int fd = ::open(Native(path).constData(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        throw WriteFailure(path, errno);
    TKillSteps steps;
    struct stat info {};
    int error = ::fstat(fd, &info) != 0 ? errno : (S_ISREG(info.st_mode) ? 0 : EINVAL);
    const off_t oldSize = info.st_size;
    if (error == 0 && bytes.size() > oldSize
        && !WriteAllAt(fd, QByteArray(bytes.size() - qsizetype(oldSize), '\n'), oldSize, error)) {
        [[maybe_unused]] const int tidied = ::ftruncate(fd, oldSize);
    }
    steps.Step();
    QByteArray padded = bytes;
    if (padded.size() < oldSize)
        padded.append(QByteArray(qsizetype(oldSize) - padded.size(), '\n'));
    if (error == 0)
        WriteAllAt(fd, padded, 0, error);
    steps.Step();
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    steps.Step();
    if (error == 0 && (::ftruncate(fd, bytes.size()) != 0 || ::fsync(fd) != 0))
        error = errno;
    steps.Step();
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0)
        throw WriteFailure(path, error);
}

} // namespace

QString WriteErrorText(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("the disk is full");
    case EFBIG:
        return QStringLiteral("the file is larger than the system allows here");
    case EROFS:
        return QStringLiteral("the disk is read-only");
    case EACCES:
    case EPERM:
        return QStringLiteral("you may not write in that folder");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

EWriteError WriteFailure(const QString &path, int error)
{
    return EWriteError(QStringLiteral("Cannot save \"%1\": %2.").arg(path, WriteErrorText(error)), error, path);
}

TFileWriter::TFileWriter(const QString &path, int mode)
    : mPath(path)
{
    const QFileInfo info(path);
    bool exists = false;
    const mode_t oldMode = ModeFor(Native(path), exists);
    const bool exact = exists || mode >= 0;
    if (mode < 0)
        mode = int(oldMode);
    // A fresh name each time: O_EXCL never opens a file (or link) planted there.
    for (int attempt = 0; attempt < 100 && mFd < 0; ++attempt) {
        mTempName = Native(info.path() + QStringLiteral("/.") + info.fileName()
                           + QStringLiteral(".%1.part").arg(QRandomGenerator::global()->generate(), 8, 16,
                                                           QLatin1Char('0')));
        mFd = ::open(mTempName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode_t(mode));
        if (mFd < 0 && errno != EEXIST)
            throw WriteFailure(path, errno);
    }
    if (mFd < 0)
        throw WriteFailure(path, EEXIST);
    if (exact)
        ::fchmod(mFd, mode_t(mode)); // the umask must not narrow a mode that was asked for
}

TFileWriter::~TFileWriter()
{
    if (mFd >= 0) {
        ::close(mFd);
        ::unlink(mTempName.constData());
    }
}

void TFileWriter::Fail(int error)
{
    ::close(mFd);
    mFd = -1;
    ::unlink(mTempName.constData());
    throw WriteFailure(mPath, error);
}

void TFileWriter::Write(const char *data, qint64 size)
{
    int error = 0;
    if (!WriteAll(mFd, data, size, error))
        Fail(error);
}

// The data reaches the disk before the rename, so after a crash the name
// holds either the old file or the whole new one.
void TFileWriter::Commit()
{
    if (::fsync(mFd) != 0)
        Fail(errno);
    const int fd = mFd;
    mFd = -1;
    if (::close(fd) != 0 || ::rename(mTempName.constData(), Native(mPath).constData()) != 0) {
        const int error = errno;
        ::unlink(mTempName.constData());
        throw WriteFailure(mPath, error);
    }
    SyncFolder(QFileInfo(mPath).path());
}

void WriteFileAtomic(const QString &path, const QByteArray &bytes, WriteFallback fallback)
{
    std::optional<TFileWriter> writer;
    try {
        writer.emplace(path);
    } catch (const EWriteError &e) {
        const bool refusedFolder = e.Code() == EACCES || e.Code() == EPERM || e.Code() == EROFS;
        if (fallback != WriteFallback::InPlace || !refusedFolder || !QFileInfo(path).isFile())
            throw;
        RewriteInPlace(path, bytes);
        return;
    }
    writer->Write(bytes);
    writer->Commit();
}

void WriteTextFileAtomic(const QString &path, const QString &text)
{
    WriteFileAtomic(path, text.toUtf8());
}

void CopyFileAtomic(const QString &from, const QString &to)
{
    QFile source(from);
    // Checked first: opening a FIFO for reading would wait for a writer.
    if (!QFileInfo(from).isFile() || !source.open(QIODevice::ReadOnly))
        throw EWriteError(QStringLiteral("Cannot read \"%1\": %2.").arg(from, source.errorString()));
    struct stat info {};
    if (::fstat(source.handle(), &info) != 0 || !S_ISREG(info.st_mode))
        throw EWriteError(QStringLiteral("Cannot read \"%1\": it is not a file.").arg(from));
    TFileWriter writer(to, int(info.st_mode & 07777));
    char buffer[65536];
    for (;;) {
        const qint64 n = source.read(buffer, sizeof buffer);
        if (n < 0)
            throw EWriteError(QStringLiteral("Cannot read \"%1\": %2.").arg(from, source.errorString()));
        if (n == 0)
            break;
        writer.Write(buffer, n);
    }
    writer.Commit();
}

void RemoveLeftoverParts(const QString &path)
{
    const QFileInfo info(path);
    QDir dir(info.path());
    const QString pattern = QStringLiteral(".") + info.fileName() + QStringLiteral(".????????.part");
    for (const QString &name : dir.entryList({pattern}, QDir::Files | QDir::Hidden | QDir::System))
        dir.remove(name);
}

int MakeFolderPath(const QString &dir)
{
    const QString clean = QDir::cleanPath(dir);
    if (clean.isEmpty() || QFileInfo(clean).isDir())
        return 0;
    const QString parent = QFileInfo(clean).path();
    if (parent != clean) {
        if (const int error = MakeFolderPath(parent))
            return error;
    }
    if (::mkdir(Native(clean).constData(), 0777) == 0 || (errno == EEXIST && QFileInfo(clean).isDir()))
        return 0;
    return errno;
}

void SyncFolder(const QString &dir)
{
    const int fd = ::open(Native(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd); // best effort: some file systems refuse it on folders
        ::close(fd);
    }
}
