#pragma once

#include <functional>

class QWidget;

// What the running game does with a later start's request: comes to the
// front, and imports a design archive once no dialog of its own is open,
// so a question it asks never lands in the middle of another.
namespace RunningGame {

void BringToFront(QWidget &window);
void WhenNoDialogIsOpen(QWidget &window, std::function<void()> action);

} // namespace RunningGame
