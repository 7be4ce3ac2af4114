#include "pads/Gamepad.h"

#include "pads/ControllerSource.h"
#include "pads/PadTarget.h"

#include "base/ErrorReport.h"
#include "base/SdlModule.h"

#include <QApplication>
#include <QKeyEvent>
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
    if (!commands.Pressed)
        return;
    if (mCommands.PadUsed)
        mCommands.PadUsed();
    if (ToDialog(commands.Presses) || !WindowTakesCommands())
        return;
    if (mCommands.PlayerReturned && mCommands.PlayerReturned())
        return;
    if (commands.NewGame)
        Run(mCommands.NewGame);
    else if (commands.StopGame)
        Run(mCommands.StopGame);
    else if (commands.HighScores)
        Run(mCommands.HighScores);
    else if (commands.Gallery)
        Run(mCommands.Gallery);
}

bool TGamepad::ToDialog(const TPadPresses &presses) const
{
    QWidget *dialog = QApplication::activeModalWidget();
    QWidget *owner = dialog;
    // A dialog is a window of its own: its owner is found through its parents.
    while (owner && owner != &mWindow)
        owner = owner->parentWidget();
    if (!owner)
        return false;
    if (auto *target = dynamic_cast<TPadTarget *>(dialog)) {
        target->PadPressed(presses);
        return true;
    }
    const std::pair<bool, Qt::Key> kKeys[] = {
        {presses.Up, Qt::Key_Up},         {presses.Down, Qt::Key_Down},    {presses.Left, Qt::Key_Left},
        {presses.Right, Qt::Key_Right},   {presses.South, Qt::Key_Return}, {presses.Start, Qt::Key_Return},
        {presses.East, Qt::Key_Escape},   {presses.Back, Qt::Key_Escape}};
    QWidget *focus = dialog->focusWidget() ? dialog->focusWidget() : dialog;
    for (const auto &[pressed, key] : kKeys) {
        if (!pressed)
            continue;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(focus, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(focus, &release);
        // One step at a time: what the first key did may close the dialog.
        break;
    }
    return true;
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
