#include "pads/SdlControllerSource.h"

#include "support/VirtualPad.h"

#include <SDL.h>

#include <gtest/gtest.h>

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
    pad.SetButton(SDL_CONTROLLER_BUTTON_B, true);
    pad.SetButton(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    source.Poll();
    const TPadPresses presses = source.TakePresses();
    EXPECT_TRUE(presses.Start && presses.South && !presses.Back);
    EXPECT_TRUE(presses.East && presses.Up && !presses.North && !presses.Down);
    EXPECT_FALSE(source.TakePresses().Start);

    pad.Unplug();
    source.Poll();
    EXPECT_EQ(source.State().StickX, 0);
    EXPECT_FALSE(source.State().South);
}
