#pragma once

#include "pads/PadMapping.h"

#include <QObject>

#include <functional>
#include <memory>

class QTimer;
class QWidget;
class TControllerSource;
class TKeyState;

// What the pad's buttons do besides steering and firing: the same commands
// the menu's New Game and Stop Game call.
struct TGamepadCommands {
    // Asked on a button press while a game waits for the player; true means
    // the press only ended that wait. May be empty.
    std::function<bool()> PlayerReturned{};
    std::function<void()> NewGame{};
    std::function<void()> StopGame{};
    // Y and X: the High Scores window and the design gallery.
    std::function<void()> HighScores{};
    std::function<void()> Gallery{};
    // Any button: the player now plays with the pad (signs name its buttons).
    std::function<void()> PadUsed{};
};

// Looks at the pad many times a tick, so that its buttons feel as quick as
// keys: the held directions and fire go into the key state the game reads,
// Start and Back run the New Game and Stop Game commands, Y and X open the
// High Scores and the gallery. In an open dialog of the window the buttons
// work the dialog (TPadTarget, else as arrow keys, Enter and Escape).
class TGamepad : public QObject
{
    Q_OBJECT

public:
    TGamepad(QWidget &window, TKeyState &keys, std::unique_ptr<TControllerSource> source,
             TGamepadCommands commands);
    ~TGamepad() override;

    // The system's pads through the SDL module, as a child of `window`;
    // without the module, one warning and no gamepad.
    static void StartWithSystemPads(QWidget &window, TKeyState &keys, TGamepadCommands commands);

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
    // True when a dialog of the window was open and took the presses.
    bool ToDialog(const TPadPresses &presses) const;
    static void Run(const std::function<void()> &command);

    QWidget &mWindow;
    TKeyState &mKeys;
    std::unique_ptr<TControllerSource> mSource;
    TPadMapping mMapping;
    TGamepadCommands mCommands;
    QTimer *mTimer = nullptr;
};
