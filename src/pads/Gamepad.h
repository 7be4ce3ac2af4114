#pragma once

#include "pads/PadMapping.h"

#include <QObject>

#include <functional>
#include <memory>

class QTimer;
class QWidget;
class TControllerSource;
class TKeyState;

// Looks at the pad many times a tick, so that its buttons feel as quick as
// keys: the held directions and fire go into the key state the game reads,
// Start and Back trigger the window's New Game and Stop Game commands.
class TGamepad : public QObject
{
    Q_OBJECT

public:
    // `playerReturned` is asked on a button press while a game waits for the
    // player; true means the press only ended that wait.
    TGamepad(QWidget &window, TKeyState &keys, std::unique_ptr<TControllerSource> source,
             std::function<bool()> playerReturned);
    ~TGamepad() override;

    // The system's pads through the SDL module, as a child of `window`;
    // without the module, one warning and no gamepad.
    static void StartWithSystemPads(QWidget &window, TKeyState &keys,
                                    std::function<bool()> playerReturned);

    void Poll();
    // Every 16 ms while a pad is plugged in, else once a second: enough to
    // notice one being plugged in, without waking an idle machine.
    static constexpr int ActiveInterval = 16;
    static constexpr int IdleInterval = 1000;
    int PollInterval() const;

private:
    // Commands only go to the window the player is looking at, not behind
    // an open dialog or menu.
    bool WindowTakesCommands() const;
    void Trigger(const QString &actionName);

    QWidget &mWindow;
    TKeyState &mKeys;
    std::unique_ptr<TControllerSource> mSource;
    TPadMapping mMapping;
    std::function<bool()> mPlayerReturned;
    QTimer *mTimer = nullptr;
};
