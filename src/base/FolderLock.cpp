#include "FolderLock.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

TFolderLock::TFolderLock(const QString &folder, Mode mode, int timeoutMs)
{
    mFd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (mFd < 0)
        return;
    const int operation = (mode == Mode::Shared ? LOCK_SH : LOCK_EX) | LOCK_NB;
    QElapsedTimer clock;
    clock.start();
    while (!(mLocked = ::flock(mFd, operation) == 0) && clock.elapsed() < timeoutMs)
        QThread::msleep(10);
}

TFolderLock::~TFolderLock()
{
    if (mFd >= 0)
        ::close(mFd); // also releases the lock
}
