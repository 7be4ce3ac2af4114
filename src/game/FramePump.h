#pragma once

#include <QElapsedTimer>
#include <QObject>

#include <initializer_list>
#include <vector>

class QTimer;
class TSpriteBox;

// Redraws the shown sprite boxes at the display's rate between the game's
// ticks, each sprite placed by the part of the tick that has passed. The
// game itself still moves only in ticks.
class TFramePump : public QObject
{
    Q_OBJECT

public:
    TFramePump(const QTimer &tickTimer, std::initializer_list<TSpriteBox *> boxes,
               QObject *parent = nullptr);

    bool Enabled() const { return mEnabled; }
    // Off: the boxes draw once per tick, as their steps leave them.
    void SetEnabled(bool enabled);
    // Call as each tick begins, before it moves anything.
    void TickStarted();
    // The part of the current tick that has passed, 0..1; 1 while the
    // tick timer stands, so a paused field holds still.
    double Fraction() const;
    // Draws the shown boxes at the current fraction.
    void Frame();
    // Milliseconds between frames.
    int FrameInterval() const;
    // True while frames are drawn; the timer stops while the field holds.
    bool Running() const;

private:
    const QTimer &mTickTimer;
    QTimer *mFrameTimer = nullptr;
    QElapsedTimer mSinceTick;
    std::vector<TSpriteBox *> mBoxes;
    bool mEnabled = false;
    // The last frame showed the end of the tick; until the next tick
    // begins every frame would look the same.
    bool mHolding = false;
};
