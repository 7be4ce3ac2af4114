#include "app/RunningGame.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <utility>

namespace RunningGame {

void BringToFront(QWidget &window)
{
    if (window.isMinimized())
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    // An open dialog stays the one the player answers.
    QWidget *front = QApplication::activeModalWidget();
    if (!front)
        front = &window;
    front->show();
    front->raise();
    front->activateWindow();
}

void WhenNoDialogIsOpen(QWidget &window, std::function<void()> action)
{
    // Never inside the caller's own event handler, and never under a dialog.
    const int wait = QApplication::activeModalWidget() ? 500 : 0;
    QTimer::singleShot(wait, &window, [&window, action = std::move(action)]() mutable {
        if (QApplication::activeModalWidget())
            WhenNoDialogIsOpen(window, std::move(action));
        else
            action();
    });
}

} // namespace RunningGame
