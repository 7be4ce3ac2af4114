#pragma once

#include <QString>

#include <exception>
#include <functional>
#include <utility>

// Where an exception that reaches an event entry point (menu command,
// timer tick, dialog handler) is shown. The application installs a message
// box; the scripted run installs a writer to standard error. Without a
// handler the text goes to standard error.
namespace ErrorReport {

using Handler = std::function<void(const QString &message)>;

void SetHandler(Handler handler);
void Show(const QString &message);

// Runs `action`; an exception it throws is shown and swallowed, so no
// event handler ever ends the program silently. Returns false on failure.
template <class Action, class BeforeShow>
bool Guard(Action &&action, BeforeShow &&beforeShow)
{
    try {
        action();
        return true;
    } catch (const std::exception &e) {
        beforeShow();
        Show(QString::fromUtf8(e.what()));
    } catch (...) {
        beforeShow();
        Show(QStringLiteral("Unknown error"));
    }
    return false;
}

template <class Action>
bool Guard(Action &&action)
{
    return Guard(std::forward<Action>(action), [] {});
}

} // namespace ErrorReport
