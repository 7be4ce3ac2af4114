#include "pads/SdlControllerSource.h"

#include <SDL.h>

#include <gtest/gtest.h>

namespace {

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

} // namespace

TEST(SdlControllerSourceTest, PlugInSteerPressAndPullOut)
{
    TSdlControllerSource source;
    VirtualPad pad;
    if (!pad.Plugged())
        GTEST_SKIP() << "SDL offers no virtual pad here: " << SDL_GetError();
    source.Poll();
    pad.SetAxis(SDL_CONTROLLER_AXIS_LEFTX, -30000);
    pad.SetButton(SDL_CONTROLLER_BUTTON_A, true);
    pad.SetButton(SDL_CONTROLLER_BUTTON_START, true);
    source.Poll();
    EXPECT_EQ(source.State().StickX, -30000);
    EXPECT_TRUE(source.State().South);
    const TPadPresses presses = source.TakePresses();
    EXPECT_TRUE(presses.Start && presses.South && !presses.Back);
    EXPECT_FALSE(source.TakePresses().Start);

    pad.Unplug();
    source.Poll();
    EXPECT_EQ(source.State().StickX, 0);
    EXPECT_FALSE(source.State().South);
}
