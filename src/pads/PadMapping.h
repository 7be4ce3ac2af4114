#pragma once

#include "pads/ControllerSource.h"

class TKeyState;

// What the pad asks of the window besides steering and firing.
struct TPadCommands {
    bool NewGame = false;
    bool StopGame = false;
    // Y and X between games: the High Scores window and the gallery.
    bool HighScores = false;
    bool Gallery = false;
    // Any button pressed: the player is at the controls.
    bool Pressed = false;
    // What was pressed, for a dialog that is open.
    TPadPresses Presses;
};

// Turns the pad into the game's keys: the stick beyond its dead zone or the
// d-pad steers, the bottom face button fires, Start and Back are commands.
class TPadMapping
{
public:
    // A resting stick drifts a little; beyond about a quarter it steers.
    static constexpr int DeadZone = 8000;

    TPadCommands Apply(TControllerSource &source, TKeyState &keys) const;
};
