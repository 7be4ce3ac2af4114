#pragma once

#include "pads/ControllerSource.h"

#include <vector>

struct _SDL_GameController;

// The system's game controllers through SDL: every pad plugged in (at
// start or later) is opened, and closed when it is pulled out. Without
// controller support the source stays empty and the game goes on.
class TSdlControllerSource : public TControllerSource
{
public:
    TSdlControllerSource();
    ~TSdlControllerSource() override;
    TSdlControllerSource(const TSdlControllerSource &) = delete;
    TSdlControllerSource &operator=(const TSdlControllerSource &) = delete;

    void Poll() override;
    TPadState State() const override;
    TPadPresses TakePresses() override;
    bool AnyOpen() const override { return !mPads.empty(); }

private:
    void Open(int deviceIndex);
    void Close(int instanceId);
    void NotePress(int button);

    bool mInitialised = false;
    std::vector<_SDL_GameController *> mPads;
    TPadPresses mPresses;
};
