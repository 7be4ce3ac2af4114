#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into QCoreApplication::quit() on the
// event loop, so a program asked to stop still closes its windows and
// writes its settings. One per process.
class TQuitOnSignal : public QObject
{
    Q_OBJECT

public:
    explicit TQuitOnSignal(QObject *parent = nullptr);
    ~TQuitOnSignal() override;

private:
    void OnSignal();

    QSocketNotifier *mNotifier = nullptr;
};
