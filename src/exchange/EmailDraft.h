#pragma once

#include "exchange/MailMessage.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QThread;

// Writes the design's archive at `archivePath` from the files in `designDir`;
// throws on failure. Runs off the window's thread, so it must not touch
// widgets.
using TDesignPacker = std::function<void(const QString &designDir, const QString &archivePath)>;

// What the e-mail draft command needs of the editor window it runs in.
class TEmailDraftHost
{
public:
    virtual ~TEmailDraftHost() = default;
    // The editor's save-changes question; false ends the command.
    virtual bool QuerySave() = 0;
    // The edited design's folder and name, asked after QuerySave.
    virtual QString DesignDir() const = 0;
    virtual QString DesignName() const = 0;
    // Hands the finished draft to the user's mail program; whether one took
    // it is not checked.
    virtual void OpenDraft(const QString &path) = 0;
    virtual void ShowError(const QString &message) = 0;
};

// The editor command "Save as EMail": packs the design, attaches the archive
// to a prepared message marked unsent and writes it as a draft file in the
// player's private temporary folder, then has the host open it. Nothing is
// sent. The packing and writing run on a thread of their own, so the window
// stays responsive; meanwhile the command refuses to start again.
class TEmailDraft : public QObject
{
    Q_OBJECT

public:
    static constexpr const char *DraftFileName = "TmpMail.eml";
    static constexpr const char *SenderName = "Snapstorm";
    static constexpr const char *SenderAddress = "snapstorm@example.org";
    static constexpr const char *DraftSubject = "Design";
    static constexpr const char *UnsentHeader = "X-Unsent: 1";

    // `tempBase` replaces the system's temporary folder (tests).
    TEmailDraft(TEmailDraftHost &host, TDesignPacker packer, QObject *parent = nullptr,
                const QString &tempBase = QString(), TContentTypeLookup lookup = ContentTypeFor);
    // Waits for a draft still being written.
    ~TEmailDraft() override;

    // Starts the command; false when one is still running or QuerySave
    // said no. The result arrives later: the host opens the draft or shows
    // the error, then Done is emitted.
    bool Run();
    bool Busy() const { return mBusy; }
    // The prepared message; its header lines and attachment stay from one
    // use to the next. Not to be touched while Busy.
    TMailMessage &Message() { return mMessage; }

Q_SIGNALS:
    void Done();

private:
    QString WriteDraft(const QString &designDir, const QString &designName);
    QString PackArchive(const QString &folder, const QString &designDir, const QString &designName);
    void WorkerFinished();

    TEmailDraftHost &mHost;
    TDesignPacker mPacker;
    QString mTempBase;
    TMailMessage mMessage;
    bool mBusy = false;
    std::unique_ptr<QThread> mWorker;
    // Written by the worker, read after it has finished.
    QString mDraftPath;
    QString mError;
};
