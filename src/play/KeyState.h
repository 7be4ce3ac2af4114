#pragma once

#include "play/KeyBindings.h"

#include <array>

class QKeyEvent;

// Which game keys are held now, kept from the window's key events (through
// the player's key bindings) and from the gamepad, and read at the tick.
// A game key is held while the keyboard or the pad holds it. X sends
// auto-repeat as release/press pairs: those are ignored, so a held key
// stays held between ticks.
class TKeyState
{
public:
    bool IsHeld(TGameKey key) const { return mHeld[Index(key)] || mPadHeld[Index(key)]; }
    void SetHeld(TGameKey key, bool held) { mHeld[Index(key)] = held; }
    void SetPadHeld(TGameKey key, bool held) { mPadHeld[Index(key)] = held; }
    // Returns true when the event was one of the game keys.
    bool HandleKeyEvent(const QKeyEvent &event);
    // The window lost the focus: it will not see the releases.
    void ReleaseAll()
    {
        mHeld.fill(false);
        mPadHeld.fill(false);
    }

    const TKeyBindings &Bindings() const { return mBindings; }
    // A key held under the old bindings would never see its release.
    void SetBindings(const TKeyBindings &bindings)
    {
        mBindings = bindings;
        mHeld.fill(false);
    }

private:
    static int Index(TGameKey key) { return static_cast<int>(key); }

    TKeyBindings mBindings;
    std::array<bool, 3> mHeld{};
    std::array<bool, 3> mPadHeld{};
};
