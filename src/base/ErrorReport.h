#pragma once

#include <QString>

#include <exception>
#include <functional>

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
template <class Action>
bool Guard(Action &&action)
{
    try {
        action();
        return true;
    } catch (const std::exception &e) {
        Show(QString::fromUtf8(e.what()));
    } catch (...) {
        Show(QStringLiteral("Unknown error"));
    }
    return false;
}

} // namespace ErrorReport
