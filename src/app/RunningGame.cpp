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
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(500, &window, [&window, action = std::move(action)]() mutable {
            WhenNoDialogIsOpen(window, std::move(action));
        });
        return;
    }
    action();
}

} // namespace RunningGame
