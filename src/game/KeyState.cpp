#include "KeyState.h"

#include <QKeyEvent>

#include <optional>

namespace {

std::optional<TGameKey> GameKeyOf(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Left: return TGameKey::Left;
    case Qt::Key_Right: return TGameKey::Right;
    case Qt::Key_Space: return TGameKey::Space;
    default: return std::nullopt;
    }
}

} // namespace

bool TKeyState::HandleKeyEvent(const QKeyEvent &event)
{
    const std::optional<TGameKey> key = GameKeyOf(event.key());
    if (!key)
        return false;
    if (!event.isAutoRepeat())
        SetHeld(*key, event.type() == QEvent::KeyPress);
    return true;
}
