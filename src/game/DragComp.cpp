#include "game/DragComp.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include <algorithm>

namespace {

QString AsciiUpper(const QString &text)
{
    QString result = text;
    for (QChar &c : result) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    }
    return result;
}

QStringList LocalFiles(const QMimeData *data)
{
    QStringList files;
    if (!data)
        return files;
    const QList<QUrl> urls = data->urls();
    for (const QUrl &url : urls) {
        if (url.isLocalFile())
            files << url.toLocalFile();
    }
    return files;
}

} // namespace

TDragComp::TDragComp(QWidget *owner) : QObject(owner), mOwner(owner)
{
    if (!mOwner)
        return;
    mOwner->installEventFilter(this);
    mOwner->setAcceptDrops(!mDragDisable);
}

TDragComp *TDragComp::ForArchives(QWidget *owner, std::function<void(const QStringList &)> dropped)
{
    auto *drop = new TDragComp(owner);
    drop->setObjectName(QStringLiteral("DragComp1"));
    drop->SetExtensions(QStringLiteral("ZIP"));
    drop->OnDropFiles = [dropped = std::move(dropped)](TDragComp &sender) { dropped(sender.DroppedFiles()); };
    return drop;
}

TDragComp::~TDragComp()
{
    if (mOwner) {
        mOwner->removeEventFilter(this);
        mOwner->setAcceptDrops(false);
    }
}

void TDragComp::SetExtensions(const QString &text)
{
    mExtensions.clear();
    QString buffer;
    auto flush = [&] {
        if (!buffer.isEmpty() && !mExtensions.contains(buffer))
            mExtensions << buffer;
        buffer.clear();
    };
    for (const QChar c : text) {
        if (c == QLatin1Char(',')) {
            flush();
            continue;
        }
        buffer += AsciiUpper(QString(c));
        if (buffer.size() == 3)
            flush();
    }
    flush();
    std::sort(mExtensions.begin(), mExtensions.end());
}

void TDragComp::SetDragDisable(bool disable)
{
    if (disable == mDragDisable)
        return;
    mDragDisable = disable;
    if (mOwner)
        mOwner->setAcceptDrops(!disable);
}

bool TDragComp::Accepts(const QString &path) const
{
    if (mExtensions.isEmpty())
        return true;
    const QString name = AsciiUpper(QFileInfo(path).fileName());
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot < 0 ? QString() : name.mid(dot + 1, 3);
    return std::binary_search(mExtensions.begin(), mExtensions.end(), extension);
}

void TDragComp::HandleDrop(const QStringList &paths)
{
    mDroppedFiles.clear();
    for (const QString &path : paths) {
        if (Accepts(path))
            mDroppedFiles << path;
    }
    if (!mDroppedFiles.isEmpty() && OnDropFiles)
        OnDropFiles(*this);
}

bool TDragComp::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != mOwner || mDragDisable)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDropEvent *>(event);
        if (drag->mimeData() && drag->mimeData()->hasUrls()) {
            drag->acceptProposedAction();
            return true;
        }
        break;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        drop->acceptProposedAction();
        // Handled once the desktop has its answer: the import may ask
        // questions, and the file manager must not wait for them.
        QMetaObject::invokeMethod(
            this, [this, files = LocalFiles(drop->mimeData())] { HandleDrop(files); }, Qt::QueuedConnection);
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
