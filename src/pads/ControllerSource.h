#pragma once

#include <cstdint>

// What the game controllers hold now, all plugged-in pads together.
struct TPadState {
    // The left stick's sideways axis, -32768 (left) .. 32767 (right).
    std::int16_t StickX = 0;
    bool DpadLeft = false;
    bool DpadRight = false;
    // The bottom face button ("A").
    bool South = false;
};

// Buttons pressed since the last look, so that a short tap between two
// polls is not lost.
struct TPadPresses {
    bool Start = false;
    bool Back = false;
    bool South = false;
    // The right face button ("B"), the top ("Y") and the left ("X").
    bool East = false;
    bool North = false;
    bool West = false;
    // The d-pad, as presses: a dialog moves one step per press.
    bool Up = false;
    bool Down = false;
    bool Left = false;
    bool Right = false;

    bool Any() const { return Start || Back || South || East || North || West || Up || Down || Left || Right; }
};

// Where the game's pad input comes from: the system's controllers, or a
// test's hand-made states.
class TControllerSource
{
public:
    virtual ~TControllerSource() = default;
    // Takes in what happened since the last call: pads plugged in or pulled
    // out, buttons pressed.
    virtual void Poll() = 0;
    virtual TPadState State() const = 0;
    // The presses since the last call; clears them.
    virtual TPadPresses TakePresses() = 0;
    // True while a pad is plugged in: only then is polling often worth it.
    virtual bool AnyOpen() const = 0;
};
