#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// One running game per player and installation. A later start hands its
// request to the running copy over a local socket in the player's runtime
// folder and ends; the socket's name comes from the user and `key` (the
// settings file's path), so other users and other portable copies stay
// apart.
class TSingleInstance : public QObject
{
    Q_OBJECT

public:
    enum class THandOver { Taken, NoneRunning, NoAnswer };

    explicit TSingleInstance(const QString &key, QObject *parent = nullptr);
    ~TSingleInstance() override;

    // Under $XDG_RUNTIME_DIR, else the temporary folder.
    static QString SocketPath(const QString &key);

    // Gives `archive` (empty: none, just come to the front) to the running
    // copy; once it is Taken this start ends. When none runs, this copy
    // becomes the running one: later starts arrive as Requested. A socket a
    // killed copy left behind is replaced.
    THandOver HandOverOrListen(const QString &archive);
    bool Listening() const;

Q_SIGNALS:
    void Requested(const QString &archive);

private:
    void Accept();

    QString mPath;
    QLocalServer *mServer = nullptr;
};
