#pragma once

#include "design/DesignRoots.h"

#include <QImage>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QWaitCondition>

#include <memory>
#include <utility>

class QThread;

// Makes design previews on a thread of its own, so a gallery of hundreds
// of designs never holds up the window: each preview comes from the cache
// when the design's files are as they were, else it is drawn and stored.
// Requests are served in the order they come; those not yet started can
// be dropped when the player scrolls past them.
class TDesignPreviewQueue : public QObject
{
    Q_OBJECT

public:
    TDesignPreviewQueue(TDesignRoots roots, QString cacheDir, QObject *parent = nullptr);
    // Waits a moment for the preview being made, if any; the rest are
    // dropped. A worker stuck in a file is left to end on its own.
    ~TDesignPreviewQueue() override;

    void SetRoots(const TDesignRoots &roots);
    // A name already waiting or being made is not asked for twice.
    void Request(const QString &name);
    void DropWaiting();

Q_SIGNALS:
    // Sent from the worker thread; a receiver on the window's thread gets
    // it queued. The image is never null.
    void Ready(const QString &name, const QImage &image, const QString &author);

private:
    // What the worker shares with the queue; it outlives a queue whose
    // worker did not stop in time.
    struct TShared
    {
        TShared(TDesignRoots roots, QString cacheDir) : Roots(std::move(roots)), CacheDir(std::move(cacheDir)) {}

        QMutex Mutex;
        QWaitCondition Wake;
        TDesignRoots Roots;
        QString CacheDir;
        QStringList Waiting;
        QString Busy;
        // Null once the queue is gone: nothing is sent after that.
        TDesignPreviewQueue *Queue = nullptr;
    };

    static void Run(const std::shared_ptr<TShared> &shared);
    static QString TakeNext(TShared &shared);

    std::shared_ptr<TShared> mShared;
    std::unique_ptr<QThread> mThread;
};
