#include "pads/Gamepad.h"

#include "pads/ControllerSource.h"

#include "base/ErrorReport.h"
#include "base/SdlModule.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

TGamepad::TGamepad(QWidget &window, TKeyState &keys, std::unique_ptr<TControllerSource> source,
                   TGamepadCommands commands)
    : QObject(&window)
    , mWindow(window)
    , mKeys(keys)
    , mSource(std::move(source))
    , mCommands(std::move(commands))
{
    setObjectName(QStringLiteral("Gamepad"));
    mTimer = new QTimer(this);
    mTimer->setInterval(ActiveInterval);
    connect(mTimer, &QTimer::timeout, this, &TGamepad::Poll);
    mTimer->start();
}

TGamepad::~TGamepad() = default;

void TGamepad::StartWithSystemPads(QWidget &window, TKeyState &keys, TGamepadCommands commands)
{
    auto pads = TSdlModule::Create<TControllerSource>(TSdlModule::ControllerSourceFactory);
    if (!pads) {
        qWarning("No game controller support, playing without a pad: %s", qPrintable(TSdlModule::Error()));
        return;
    }
    new TGamepad(window, keys, std::move(pads), std::move(commands));
}

int TGamepad::PollInterval() const
{
    return mTimer->interval();
}

void TGamepad::Poll()
{
    mSource->Poll();
    const int interval = mSource->AnyOpen() ? ActiveInterval : IdleInterval;
    if (mTimer->interval() != interval)
        mTimer->setInterval(interval);
    const TPadCommands commands = mMapping.Apply(*mSource, mKeys);
    if (!commands.Pressed || !WindowTakesCommands())
        return;
    if (mCommands.PlayerReturned && mCommands.PlayerReturned())
        return;
    if (commands.NewGame)
        Run(mCommands.NewGame);
    else if (commands.StopGame)
        Run(mCommands.StopGame);
}

bool TGamepad::WindowTakesCommands() const
{
    return mWindow.isActiveWindow() && !QApplication::activeModalWidget()
           && !QApplication::activePopupWidget();
}

void TGamepad::Run(const std::function<void()> &command)
{
    // Failures are shown as the menu shows those of the same commands.
    if (command)
        ErrorReport::Guard(command);
}
