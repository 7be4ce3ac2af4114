#pragma once

#include <QObject>
#include <QRect>

#include <functional>

class QTimer;
class TFieldSign;
struct TTickResult;

// The signs that tell the player where the game stands without being part
// of it: "Wave N" for a moment after a level is cleared, while the demo
// runs, how to play instead, and whose game a replay shows. Nothing in the game's ticks depends on them.
class TFieldSigns : public QObject
{
    Q_OBJECT

public:
    static constexpr int WaveShownMs = 1500;
    // `lookup` turns a message key into the caption in the player's language.
    TFieldSigns(QWidget &area, std::function<QString(const QString &)> lookup);

    // After each tick or command: what the rules did, and whether the demo runs now.
    void Follow(const TTickResult &result, bool demoRunning, const QRect &field);
    // The last input came from a pad (its buttons are named) or the keyboard.
    void SetPadInput(bool pad, const QRect &field);
    // The sign over a recorded game being shown; empty hides it.
    void ShowReplay(const QString &sign, const QRect &field);
    // The field moved or was scaled.
    void FollowField(const QRect &field);

private:
    TFieldSign &Sign(TFieldSign *&sign, const char *name);
    QString DemoText() const;

    QWidget &mArea;
    std::function<QString(const QString &)> mLookup;
    TFieldSign *mWave = nullptr;
    TFieldSign *mDemo = nullptr;
    TFieldSign *mReplay = nullptr;
    QTimer *mWaveTimer = nullptr;
    int mWaveNumber = 1;
    bool mPadInput = false;
};
