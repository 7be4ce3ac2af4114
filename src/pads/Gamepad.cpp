#include "pads/Gamepad.h"

#include "pads/ControllerSource.h"

#include "base/SdlModule.h"

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QWidget>

TGamepad::TGamepad(QWidget &window, TKeyState &keys, std::unique_ptr<TControllerSource> source,
                   std::function<bool()> playerReturned)
    : QObject(&window)
    , mWindow(window)
    , mKeys(keys)
    , mSource(std::move(source))
    , mPlayerReturned(std::move(playerReturned))
{
    setObjectName(QStringLiteral("Gamepad"));
    mTimer = new QTimer(this);
    mTimer->setInterval(ActiveInterval);
    connect(mTimer, &QTimer::timeout, this, &TGamepad::Poll);
    mTimer->start();
}

TGamepad::~TGamepad() = default;

void TGamepad::StartWithSystemPads(QWidget &window, TKeyState &keys, std::function<bool()> playerReturned)
{
    auto pads = TSdlModule::Create<TControllerSource>(TSdlModule::ControllerSourceFactory);
    if (!pads) {
        qWarning("No game controller support, playing without a pad: %s", qPrintable(TSdlModule::Error()));
        return;
    }
    new TGamepad(window, keys, std::move(pads), std::move(playerReturned));
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
    if (mPlayerReturned && mPlayerReturned())
        return;
    if (commands.NewGame)
        Trigger(QStringLiteral("New1"));
    else if (commands.StopGame)
        Trigger(QStringLiteral("Stop1"));
}

bool TGamepad::WindowTakesCommands() const
{
    return mWindow.isActiveWindow() && !QApplication::activeModalWidget()
           && !QApplication::activePopupWidget();
}

void TGamepad::Trigger(const QString &actionName)
{
    if (auto *action = mWindow.findChild<QAction *>(actionName))
        action->trigger();
}
