#include "pads/SdlControllerSource.h"

#include <SDL.h>

#include <QtGlobal>

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

int InstanceOf(SDL_GameController *pad)
{
    return SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad));
}

} // namespace

TSdlControllerSource::TSdlControllerSource()
{
    // Qt handles the quit signals; SDL must not take them over.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // SDL has no window of its own that could hold the focus.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    mInitialised = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    if (!mInitialised)
        qWarning("No game controller support, playing without a pad: %s", SDL_GetError());
    // Pads plugged in already arrive as device events at the first poll.
}

TSdlControllerSource::~TSdlControllerSource()
{
    for (SDL_GameController *pad : mPads)
        SDL_GameControllerClose(pad);
    if (mInitialised)
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void TSdlControllerSource::Poll()
{
    if (!mInitialised)
        return;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
        case SDL_CONTROLLERDEVICEADDED: Open(event.cdevice.which); break;
        case SDL_CONTROLLERDEVICEREMOVED: Close(event.cdevice.which); break;
        case SDL_CONTROLLERBUTTONDOWN: NotePress(event.cbutton.button); break;
        default: break;
        }
    }
}

void TSdlControllerSource::Open(int deviceIndex)
{
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    if (std::any_of(mPads.begin(), mPads.end(), [&](SDL_GameController *pad) { return InstanceOf(pad) == id; }))
        return;
    SDL_GameController *pad = SDL_GameControllerOpen(deviceIndex);
    if (!pad) {
        qWarning("Cannot open game controller %d: %s", deviceIndex, SDL_GetError());
        return;
    }
    mPads.push_back(pad);
}

void TSdlControllerSource::Close(int instanceId)
{
    const auto gone = std::find_if(mPads.begin(), mPads.end(),
                                   [&](SDL_GameController *pad) { return InstanceOf(pad) == instanceId; });
    if (gone == mPads.end())
        return;
    SDL_GameControllerClose(*gone);
    mPads.erase(gone);
}

void TSdlControllerSource::NotePress(int button)
{
    const std::pair<int, bool TPadPresses::*> kButtons[] = {
        {SDL_CONTROLLER_BUTTON_START, &TPadPresses::Start},     {SDL_CONTROLLER_BUTTON_BACK, &TPadPresses::Back},
        {SDL_CONTROLLER_BUTTON_A, &TPadPresses::South},         {SDL_CONTROLLER_BUTTON_B, &TPadPresses::East},
        {SDL_CONTROLLER_BUTTON_Y, &TPadPresses::North},         {SDL_CONTROLLER_BUTTON_X, &TPadPresses::West},
        {SDL_CONTROLLER_BUTTON_DPAD_UP, &TPadPresses::Up},      {SDL_CONTROLLER_BUTTON_DPAD_DOWN, &TPadPresses::Down},
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, &TPadPresses::Left}, {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, &TPadPresses::Right}};
    for (const auto &[sdlButton, pressed] : kButtons)
        if (button == sdlButton)
            mPresses.*pressed = true;
}

TPadState TSdlControllerSource::State() const
{
    TPadState state;
    for (SDL_GameController *pad : mPads) {
        const Sint16 x = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX);
        // Of several pads, the stick pushed furthest steers.
        if (std::abs(x) > std::abs(state.StickX))
            state.StickX = x;
        state.DpadLeft |= SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT) != 0;
        state.DpadRight |= SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT) != 0;
        state.South |= SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_A) != 0;
    }
    return state;
}

TPadPresses TSdlControllerSource::TakePresses()
{
    return std::exchange(mPresses, TPadPresses{});
}
