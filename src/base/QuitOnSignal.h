#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into QCoreApplication::quit() on the
// event loop, so a program asked to stop still closes its windows and
// writes its settings. One per process. A nested loop (a modal dialog)
// delivers the signal too, also before the main loop runs, where quit()
// does nothing: Received lets the windows close such dialogs, and
// Requested tells the caller not to enter the main loop at all.
class TQuitOnSignal : public QObject
{
    Q_OBJECT

public:
    explicit TQuitOnSignal(QObject *parent = nullptr);
    ~TQuitOnSignal() override;

    bool Requested() const { return mRequested; }

Q_SIGNALS:
    // On the UI thread, before quit() is called.
    void Received();

private:
    void OnSignal();

    QSocketNotifier *mNotifier = nullptr;
    bool mRequested = false;
};
