#pragma once

#include "game/dialogs/DesktopServices.h"

#include <QObject>

// Opens with the desktop's opener program and reports its exit status once
// it ends, without waiting for it: an opener that finds no program for the
// file fails with a status other than 0, long after it was started.
class TProcessOpener : public QObject, public TDesktopServices
{
    Q_OBJECT

public:
    // `program` is given the target as its one argument (tests: true, false).
    explicit TProcessOpener(QObject *parent = nullptr, QString program = QStringLiteral("xdg-open"));

    void Open(const QString &target, TOpened done) override;

private:
    QString mProgram;
};
