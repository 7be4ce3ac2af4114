#include "game/dialogs/ProcessOpener.h"

#include <QProcess>

#include <memory>
#include <utility>

TProcessOpener::TProcessOpener(QObject *parent, QString program)
    : QObject(parent)
    , mProgram(std::move(program))
{
}

void TProcessOpener::Open(const QString &target, TOpened done)
{
    // A process still running when the game ends is killed with this
    // object; what it started has its own life by then.
    auto *process = new QProcess(this);
    process->setProgram(mProgram);
    process->setArguments({target});
    process->setStandardInputFile(QProcess::nullDevice());
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    // Both signals may come for one process; the answer is given once.
    auto answer = std::make_shared<TOpened>(std::move(done));
    auto reply = [process, answer](bool opened) {
        if (TOpened once = std::exchange(*answer, nullptr))
            once(opened);
        process->deleteLater();
    };
    connect(process, &QProcess::finished, this, [reply](int code, QProcess::ExitStatus status) {
        reply(status == QProcess::NormalExit && code == 0);
    });
    connect(process, &QProcess::errorOccurred, this, [reply](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            reply(false);
    });
    process->start();
}
