#pragma once

#include <QObject>

// For start-up measurements only: once the watched widget has painted its
// first frame, writes the monotonic clock (nanoseconds) to stdout and ends
// the process at once, writing nothing else.
class TFirstFrameProbe : public QObject
{
public:
    static constexpr const char *Variable = "SNAPSTORM_EXIT_AFTER_FIRST_FRAME";

    // Watches `widget` when the variable is set in the environment.
    static void WatchIfAsked(QObject *widget);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit TFirstFrameProbe(QObject *parent) : QObject(parent) {}
    bool mSeen = false;
};
