#include "design/DesignPreviewQueue.h"

#include "design/DesignPreviewMaker.h"
#include "design/PreviewCache.h"

#include <QDeadlineTimer>
#include <QMutexLocker>
#include <QThread>

#include <optional>
#include <utility>

namespace {

// How long closing the gallery waits for the preview being made.
constexpr int StopWaitMs = 2000;

} // namespace

TDesignPreviewQueue::TDesignPreviewQueue(TDesignRoots roots, QString cacheDir, QObject *parent)
    : QObject(parent), mShared(std::make_shared<TShared>(std::move(roots), std::move(cacheDir)))
{
    mShared->Queue = this;
}

TDesignPreviewQueue::~TDesignPreviewQueue()
{
    {
        QMutexLocker lock(&mShared->Mutex);
        mShared->Queue = nullptr;
        mShared->Waiting.clear();
    }
    mShared->Wake.wakeAll();
    if (mThread && !mThread->wait(QDeadlineTimer(StopWaitMs))) {
        // Stuck reading a file that never answers: the window must not
        // wait for it. The thread holds only the shared part.
        QThread *thread = mThread.release();
        connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    }
}

void TDesignPreviewQueue::SetRoots(const TDesignRoots &roots)
{
    QMutexLocker lock(&mShared->Mutex);
    mShared->Roots = roots;
}

void TDesignPreviewQueue::Request(const QString &name)
{
    QMutexLocker lock(&mShared->Mutex);
    if (name == mShared->Busy || mShared->Waiting.contains(name))
        return;
    mShared->Waiting.append(name);
    if (!mThread) {
        mThread.reset(QThread::create([shared = mShared] { Run(shared); }));
        // Below the window's thread, which draws the game and the list.
        mThread->start(QThread::LowPriority);
    }
    mShared->Wake.wakeOne();
}

void TDesignPreviewQueue::DropWaiting()
{
    QMutexLocker lock(&mShared->Mutex);
    mShared->Waiting.clear();
}

QString TDesignPreviewQueue::TakeNext(TShared &shared)
{
    QMutexLocker lock(&shared.Mutex);
    shared.Busy.clear();
    while (shared.Queue && shared.Waiting.isEmpty())
        shared.Wake.wait(&shared.Mutex);
    if (!shared.Queue)
        return {};
    shared.Busy = shared.Waiting.takeFirst();
    return shared.Busy;
}

void TDesignPreviewQueue::Run(const std::shared_ptr<TShared> &shared)
{
    bool warned = false;
    const TPreviewCache cache(shared->CacheDir);
    cache.RemoveLeftovers();
    for (QString name = TakeNext(*shared); !name.isEmpty(); name = TakeNext(*shared)) {
        TDesignRoots roots = [&shared] {
            QMutexLocker lock(&shared->Mutex);
            return shared->Roots;
        }();
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
        // Under the lock: the queue cannot go while the signal is sent.
        QMutexLocker lock(&shared->Mutex);
        if (shared->Queue)
            Q_EMIT shared->Queue->Ready(name, preview->Image, preview->Author);
    }
}
