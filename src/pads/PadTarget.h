#pragma once

#include "pads/ControllerSource.h"

// A dialog that takes the pad's buttons itself (the name entry's row of
// letters). Other dialogs get them as keys: the d-pad as arrows, A and
// Start as Enter, B and Back as Escape.
class TPadTarget
{
public:
    virtual ~TPadTarget() = default;
    virtual void PadPressed(const TPadPresses &presses) = 0;
};
