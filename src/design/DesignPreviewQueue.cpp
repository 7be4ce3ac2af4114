#include "design/DesignPreviewQueue.h"

#include "design/DesignPreviewMaker.h"
#include "design/PreviewCache.h"

#include <QMutexLocker>
#include <QThread>

#include <optional>
#include <utility>

TDesignPreviewQueue::TDesignPreviewQueue(TDesignRoots roots, QString cacheDir, QObject *parent)
    : QObject(parent), mRoots(std::move(roots)), mCacheDir(std::move(cacheDir))
{
}

TDesignPreviewQueue::~TDesignPreviewQueue()
{
    {
        QMutexLocker lock(&mMutex);
        mStopping = true;
        mWaiting.clear();
    }
    mWake.wakeAll();
    if (mThread)
        mThread->wait();
}

void TDesignPreviewQueue::SetRoots(const TDesignRoots &roots)
{
    QMutexLocker lock(&mMutex);
    mRoots = roots;
}

void TDesignPreviewQueue::Request(const QString &name)
{
    QMutexLocker lock(&mMutex);
    if (name == mBusy || mWaiting.contains(name))
        return;
    mWaiting.append(name);
    if (!mThread) {
        mThread.reset(QThread::create([this] { Run(); }));
        // Below the window's thread, which draws the game and the list.
        mThread->start(QThread::LowPriority);
    }
    mWake.wakeOne();
}

void TDesignPreviewQueue::DropWaiting()
{
    QMutexLocker lock(&mMutex);
    mWaiting.clear();
}

QString TDesignPreviewQueue::TakeNext()
{
    QMutexLocker lock(&mMutex);
    mBusy.clear();
    while (!mStopping && mWaiting.isEmpty())
        mWake.wait(&mMutex);
    if (mStopping)
        return {};
    mBusy = mWaiting.takeFirst();
    return mBusy;
}

void TDesignPreviewQueue::Run()
{
    bool warned = false;
    for (QString name = TakeNext(); !name.isEmpty(); name = TakeNext()) {
        TDesignRoots roots = [this] {
            QMutexLocker lock(&mMutex);
            return mRoots;
        }();
        const TPreviewCache cache(mCacheDir);
        const QString dir = roots.DirOf(name);
        const QString key = TPreviewCache::Key(dir, roots.DefaultDir());
        std::optional<TDesignPreview> preview = cache.Find(dir, key);
        if (!preview) {
            try {
                preview = TDesignPreviewMaker(std::move(roots)).Make(name);
            } catch (const std::exception &) {
                // Out of memory, say: the gallery shows a blank preview.
                preview = TDesignPreview{};
            }
            if (preview->Image.isNull()) {
                preview->Image = QImage(TDesignPreviewMaker::MaxSize, QImage::Format_RGB32);
                preview->Image.fill(Qt::black);
            }
            try {
                cache.Store(dir, key, *preview);
            } catch (const std::exception &error) {
                // The preview is shown all the same; it is only made again
                // next time. Said once, not for every design.
                if (!std::exchange(warned, true))
                    qWarning("%s", error.what());
            }
        }
        Q_EMIT Ready(name, preview->Image, preview->Author);
    }
}
