#pragma once

#include <QObject>
#include <QRect>

#include <functional>

class QTimer;
class TFieldSign;
struct TTickResult;

// The signs that tell the player where the game stands without being part
// of it: "Wave N" for a moment after a level is cleared, and while the demo
// runs, how to play instead. Nothing in the game's ticks depends on them.
class TFieldSigns : public QObject
{
    Q_OBJECT

public:
    static constexpr int WaveShownMs = 1500;
    // `lookup` turns a message key into the caption in the player's language.
    TFieldSigns(QWidget &area, std::function<QString(const QString &)> lookup);

    // After each tick or command: what the rules did, and whether the demo runs now.
    void Follow(const TTickResult &result, bool demoRunning, const QRect &field);
    // The field moved or was scaled.
    void FollowField(const QRect &field);

private:
    TFieldSign &Sign(TFieldSign *&sign, const char *name);

    QWidget &mArea;
    std::function<QString(const QString &)> mLookup;
    TFieldSign *mWave = nullptr;
    TFieldSign *mDemo = nullptr;
    QTimer *mWaveTimer = nullptr;
    int mWaveNumber = 1;
};
