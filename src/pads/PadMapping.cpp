#include "pads/PadMapping.h"

#include "pads/ControllerSource.h"
#include "play/KeyState.h"

TPadCommands TPadMapping::Apply(TControllerSource &source, TKeyState &keys) const
{
    const TPadState state = source.State();
    keys.SetPadHeld(TGameKey::Left, state.DpadLeft || state.StickX < -DeadZone);
    keys.SetPadHeld(TGameKey::Right, state.DpadRight || state.StickX > DeadZone);
    keys.SetPadHeld(TGameKey::Space, state.South);
    const TPadPresses presses = source.TakePresses();
    return {.NewGame = presses.Start,
            .StopGame = presses.Back,
            .HighScores = presses.North,
            .Gallery = presses.West,
            .Pressed = presses.Any(),
            .Presses = presses};
}
