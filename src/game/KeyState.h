#pragma once

#include <array>

class QKeyEvent;

// The keys the game polls at each tick.
enum class TGameKey { Left, Right, Space };

// Which game keys are held now, kept from the window's key events and read
// at the tick. X sends auto-repeat as release/press pairs: those are
// ignored, so a held key stays held between ticks.
class TKeyState
{
public:
    bool IsHeld(TGameKey key) const { return mHeld[Index(key)]; }
    void SetHeld(TGameKey key, bool held) { mHeld[Index(key)] = held; }
    // Returns true when the event was one of the game keys.
    bool HandleKeyEvent(const QKeyEvent &event);
    // The window lost the focus: it will not see the releases.
    void ReleaseAll() { mHeld.fill(false); }

private:
    static int Index(TGameKey key) { return static_cast<int>(key); }

    std::array<bool, 3> mHeld{};
};
