#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

#include <unistd.h>

namespace {

constexpr int kWaitMs = 5000;
// A request is one path; anything longer is not from a copy of ours.
constexpr qint64 kMaxRequest = 64 * 1024;
const QByteArray kTaken = QByteArrayLiteral("taken\n");

} // namespace

TSingleInstance::TSingleInstance(const QString &key, QObject *parent)
    : QObject(parent)
    , mPath(SocketPath(key))
{
}

TSingleInstance::~TSingleInstance() = default;

QString TSingleInstance::SocketPath(const QString &key)
{
    QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (dir.isEmpty() || !QFileInfo(dir).isDir())
        dir = QDir::tempPath();
    const QByteArray hash = QCryptographicHash::hash(QFileInfo(key).absoluteFilePath().toUtf8(),
                                                     QCryptographicHash::Sha256)
                                .toHex()
                                .left(16);
    return QStringLiteral("%1/snapstorm-%2-%3").arg(dir).arg(getuid()).arg(QString::fromLatin1(hash));
}

TSingleInstance::THandOver TSingleInstance::HandOverOrListen(const QString &archive)
{
    // Two starts at once take turns, so only one of them listens.
    QLockFile lock(mPath + QStringLiteral(".lock"));
    lock.tryLock(kWaitMs);
    QLocalSocket socket;
    socket.connectToServer(mPath);
    if (socket.waitForConnected(kWaitMs)) {
        socket.write(archive.toUtf8() + '\n');
        socket.waitForBytesWritten(kWaitMs);
        while (socket.bytesAvailable() < kTaken.size() && socket.waitForReadyRead(kWaitMs)) {
        }
        // A copy that does not answer is hung: this one plays alone.
        return socket.readAll() == kTaken ? THandOver::Taken : THandOver::NoAnswer;
    }
    // Nobody listens: what lies there is a killed copy's socket.
    QLocalServer::removeServer(mPath);
    mServer = new QLocalServer(this);
    mServer->setSocketOptions(QLocalServer::UserAccessOption);
    if (mServer->listen(mPath))
        connect(mServer, &QLocalServer::newConnection, this, &TSingleInstance::Accept);
    return THandOver::NoneRunning;
}

bool TSingleInstance::Listening() const
{
    return mServer && mServer->isListening();
}

void TSingleInstance::Accept()
{
    while (QLocalSocket *socket = mServer->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->bytesAvailable() > kMaxRequest) {
                socket->abort();
                return;
            }
            if (!socket->canReadLine())
                return;
            const QString archive = QString::fromUtf8(socket->readLine()).chopped(1);
            socket->write(kTaken);
            socket->disconnectFromServer();
            Q_EMIT Requested(archive);
        });
    }
}
