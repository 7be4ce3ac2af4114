#include "EmailDraft.h"

#include "exchange/MailError.h"
#include "exchange/PrivateTempFolder.h"

#include <QDir>
#include <QFile>
#include <QCursor>
#include <QGuiApplication>
#include <QThread>

#include <cstdlib>
#include <cstdio>

namespace {

void SetWaitCursor(bool on)
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    if (on)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QGuiApplication::restoreOverrideCursor();
}

// A fresh folder of its own for the packer, removed with this object, so
// the archive is made where no one can have planted anything.
class TStagingFolder
{
public:
    explicit TStagingFolder(const QString &parent)
    {
        QByteArray pattern = QFile::encodeName(parent + QStringLiteral(".pack-XXXXXX"));
        if (!::mkdtemp(pattern.data()))
            throw EMailError(QStringLiteral("Cannot make a temporary folder in \"%1\".").arg(parent));
        mPath = QFile::decodeName(pattern) + QLatin1Char('/');
    }
    ~TStagingFolder() { QDir(mPath).removeRecursively(); }
    TStagingFolder(const TStagingFolder &) = delete;
    TStagingFolder &operator=(const TStagingFolder &) = delete;
    const QString &Path() const { return mPath; }

private:
    QString mPath;
};

} // namespace

TEmailDraft::TEmailDraft(TEmailDraftHost &host, TDesignPacker packer, QObject *parent,
                         const QString &tempBase, TContentTypeLookup lookup)
    : QObject(parent), mHost(host), mPacker(std::move(packer)), mTempBase(tempBase),
      mMessage(std::move(lookup))
{
    mMessage.Sender() = TMailAddress(QString::fromLatin1(SenderName), QString::fromLatin1(SenderAddress));
    mMessage.Recipients().Add(QString::fromLatin1(SenderName), QString::fromLatin1(SenderAddress));
    mMessage.SetSubject(QString::fromLatin1(DraftSubject));
}

TEmailDraft::~TEmailDraft()
{
    if (mWorker)
        mWorker->wait();
    if (mBusy)
        SetWaitCursor(false);
}

bool TEmailDraft::Run()
{
    if (mBusy)
        return false;
    // Set before the question: its dialog lets the window take commands.
    mBusy = true;
    bool goOn = false;
    try {
        goOn = mHost.QuerySave();
    } catch (...) {
        // A save that failed must not leave the command locked.
        mBusy = false;
        throw;
    }
    if (!goOn) {
        mBusy = false;
        return false;
    }
    SetWaitCursor(true);
    mDraftPath.clear();
    mError.clear();
    const QString dir = mHost.DesignDir();
    const QString name = mHost.DesignName();
    mWorker.reset(QThread::create([this, dir, name] {
        try {
            mDraftPath = WriteDraft(dir, name);
        } catch (const std::exception &e) {
            mError = QString::fromStdString(e.what());
        }
    }));
    connect(mWorker.get(), &QThread::finished, this, &TEmailDraft::WorkerFinished);
    mWorker->start();
    return true;
}

QString TEmailDraft::WriteDraft(const QString &designDir, const QString &designName)
{
    const QString folder = PrivateTempFolder(mTempBase);
    const QString archive = PackArchive(folder, designDir, designName);
    mMessage.Attachments().Clear();
    mMessage.Attachments().Add(archive);
    const QString unsent = QString::fromLatin1(UnsentHeader);
    if (!mMessage.Headers().Contains(unsent))
        mMessage.Headers().Add(unsent);
    const QString draft = folder + QString::fromLatin1(DraftFileName);
    mMessage.SaveToFile(draft);
    return draft;
}

QString TEmailDraft::PackArchive(const QString &folder, const QString &designDir, const QString &designName)
{
    const QString fileName = designName + QStringLiteral(".zip");
    const TStagingFolder staging(folder);
    mPacker(designDir, staging.Path() + fileName);
    const QString archive = folder + fileName;
    // Renaming replaces whatever stands at the final name, a link included.
    if (std::rename(QFile::encodeName(staging.Path() + fileName).constData(),
                    QFile::encodeName(archive).constData()) != 0)
        throw EMailError(QStringLiteral("The design \"%1\" could not be packed.").arg(designName));
    return archive;
}

void TEmailDraft::WorkerFinished()
{
    mWorker->wait();
    mWorker.reset();
    SetWaitCursor(false);
    mBusy = false;
    if (mError.isEmpty())
        mHost.OpenDraft(mDraftPath);
    else
        mHost.ShowError(mError);
    Q_EMIT Done();
}
