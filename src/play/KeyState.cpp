#include "play/KeyState.h"

#include <QKeyEvent>

bool TKeyState::HandleKeyEvent(const QKeyEvent &event)
{
    const std::optional<TGameKey> key = mBindings.GameKeyOf(event.key());
    if (!key)
        return false;
    if (!event.isAutoRepeat())
        SetHeld(*key, event.type() == QEvent::KeyPress);
    return true;
}
