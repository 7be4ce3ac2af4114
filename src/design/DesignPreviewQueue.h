#pragma once

#include "design/DesignRoots.h"

#include <QImage>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QWaitCondition>

#include <memory>

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
    // Waits for the preview being made, if any; the rest are dropped.
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
    void Run();
    QString TakeNext();

    QMutex mMutex;
    QWaitCondition mWake;
    TDesignRoots mRoots;
    const QString mCacheDir;
    QStringList mWaiting;
    QString mBusy;
    bool mStopping = false;
    std::unique_ptr<QThread> mThread;
};
