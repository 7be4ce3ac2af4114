#pragma once

#include <SDL.h>

// A pad that SDL itself makes up, plugged in and out by the test.
class VirtualPad
{
public:
    VirtualPad()
    {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
        desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
        desc.name = "Test pad";
        mIndex = SDL_JoystickAttachVirtualEx(&desc);
        mJoystick = SDL_JoystickOpen(mIndex);
    }
    ~VirtualPad() { Unplug(); }

    bool Plugged() const { return mJoystick != nullptr; }
    void SetAxis(SDL_GameControllerAxis axis, Sint16 value) { SDL_JoystickSetVirtualAxis(mJoystick, axis, value); }
    void SetButton(SDL_GameControllerButton button, bool down)
    {
        SDL_JoystickSetVirtualButton(mJoystick, button, down ? 1 : 0);
    }
    void Unplug()
    {
        if (!mJoystick)
            return;
        SDL_JoystickClose(mJoystick);
        mJoystick = nullptr;
        SDL_JoystickDetachVirtual(mIndex);
    }

private:
    int mIndex = -1;
    SDL_Joystick *mJoystick = nullptr;
};
