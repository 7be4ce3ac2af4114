#pragma once

#include <QFont>

#include <thread>

// Reads the system's fonts on a thread of its own while the window is
// built. The font database is shared and locked by the toolkit, so the
// window thread finds it filled (or waits for the rest) when it first
// measures text, instead of reading every font configuration file itself.
class TFontWarmUp
{
public:
    // Needs the application object; starts at once. `font`'s substitutes
    // are looked up too: the toolkit keeps them for all threads.
    explicit TFontWarmUp(const QFont &font);
    // Waits for the reading to end: the application must outlive it.
    ~TFontWarmUp();
    TFontWarmUp(const TFontWarmUp &) = delete;
    TFontWarmUp &operator=(const TFontWarmUp &) = delete;

private:
    std::thread mThread;
};
