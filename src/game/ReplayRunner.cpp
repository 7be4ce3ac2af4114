#include "ReplayRunner.h"

#include "MainForm.h"

#include "base/ErrorReport.h"
#include "base/Random.h"
#include "design/DesignFolder.h"
#include "game/dialogs/ScoreDialog.h"
#include "play/GameRound.h"
#include "play/RoundTrace.h"
#include "sprites/SpriteBox.h"

#include <QTextStream>
#include <QTimer>

namespace {

int ParseCount(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 0)
        throw EReplayError("expected a number, got \"" + text.toStdString() + "\"");
    return value;
}

} // namespace

TReplayRunner::TReplayRunner(TMainForm &form, QTextStream &trace)
    : mForm(form)
    , mTrace(trace)
{
    // The name entry takes its answers from the script; none means Cancel.
    mForm.ScoreDialog().SetAnswerHook([this](TScoreDialog &) -> std::optional<QString> {
        if (mPendingNames.isEmpty())
            return std::nullopt;
        return mPendingNames.takeFirst();
    });
}

void TReplayRunner::Run(const QStringList &lines)
{
    for (int i = 0; i < lines.size(); ++i) {
        try {
            RunLine(lines.at(i));
        } catch (const EReplayError &e) {
            throw EReplayError("line " + std::to_string(i + 1) + ": " + e.what());
        }
    }
}

void TReplayRunner::RunLine(const QString &rawLine)
{
    const QString line = rawLine.section(QLatin1Char('#'), 0, 0).trimmed();
    if (line.isEmpty())
        return;
    const QString command = line.section(QLatin1Char(' '), 0, 0);
    const QString rest = line.section(QLatin1Char(' '), 1).trimmed();
    const QStringList words = rest.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (command == QLatin1String("seed")) {
        bool ok = false;
        const uint seed = rest.toUInt(&ok);
        if (!ok)
            throw EReplayError("seed needs a number");
        Random::Seed(seed);
    } else if (command == QLatin1String("design")) {
        // Errors are shown and the run goes on, as they would in the window.
        ErrorReport::Guard([&] { mForm.DesignItemClick(IsDefaultDesignName(rest) ? QString() : rest); });
    } else if (command == QLatin1String("new")) {
        ErrorReport::Guard([&] { mForm.NewGameClick(); });
    } else if (command == QLatin1String("demo")) {
        ErrorReport::Guard([&] { mForm.Demo1Click(); });
    } else if (command == QLatin1String("stop")) {
        ErrorReport::Guard([&] { mForm.StopGameClick(); });
    } else if (command == QLatin1String("pause")) {
        mForm.Pause1().trigger();
    } else if (command == QLatin1String("tick")) {
        if (words.isEmpty())
            throw EReplayError("tick needs a count");
        Tick(ParseCount(words.first()), words.mid(1));
    } else if (command == QLatin1String("name")) {
        mPendingNames.append(rest);
    } else if (command == QLatin1String("snap")) {
        if (rest.isEmpty())
            throw EReplayError("snap needs a file name");
        Snap(rest);
    } else {
        throw EReplayError("unknown command \"" + command.toStdString() + "\"");
    }
}

void TReplayRunner::Tick(int count, const QStringList &keys)
{
    TKeyState &state = mForm.Keys();
    state.ReleaseAll();
    for (const QString &key : keys) {
        const std::optional<TGameKey> held = GameKeyNamed(key);
        if (!held)
            throw EReplayError("unknown key \"" + key.toStdString() + "\"");
        state.SetHeld(*held, true);
    }
    for (int i = 0; i < count; ++i) {
        ++mTicks;
        // A paused game's timer does not tick; time still passes in the trace.
        if (mForm.Timer1().isActive())
            mForm.OnTimer1();
        // No event loop runs here: the name entry a tick queued runs now.
        mForm.EnterPendingHighScore();
        mTrace << TraceLine() << '\n';
    }
    mTrace.flush();
    state.ReleaseAll();
}

void TReplayRunner::Snap(const QString &path) const
{
    TSpriteBox &box = mForm.PlayBox().isHidden() ? mForm.AttractBox() : mForm.PlayBox();
    if (!box.BackBuffer().save(path, "PNG"))
        throw EReplayError("cannot write " + path.toStdString());
}

QString TReplayRunner::TraceLine() const
{
    return RoundTraceLine(mForm.Round(), mTicks);
}
