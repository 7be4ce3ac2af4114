#pragma once

#include <QString>
#include <QStringList>

#include <stdexcept>

class QTextStream;
class TMainForm;

class EReplayError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Plays a script against the real main window without a display, writing
// one JSON line of game state after every tick. Used for regression tests,
// bug reports and checking a design headless.
//
//   seed N | design NAME | new | demo | stop | pause
//   tick N [Left] [Right] [Space] | name TEXT | snap FILE
class TReplayRunner
{
public:
    TReplayRunner(TMainForm &form, QTextStream &trace);

    // Runs every line; throws EReplayError naming the line on a bad line.
    void Run(const QStringList &lines);
    void RunLine(const QString &line);

    // The state of the game as one JSON line.
    QString TraceLine() const;

private:
    void Tick(int count, const QStringList &keys);
    void Snap(const QString &path) const;

    TMainForm &mForm;
    QTextStream &mTrace;
    int mTicks = 0;
    QStringList mPendingNames;
};
