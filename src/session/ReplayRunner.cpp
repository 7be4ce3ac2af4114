#include "session/ReplayRunner.h"

#include "session/GameSession.h"

#include "base/ErrorReport.h"
#include "base/Random.h"
#include "design/DesignFolder.h"
#include "play/GameRound.h"
#include "play/RoundTrace.h"

#include <QTextStream>

TReplayRunner::TReplayRunner(TGameSession &session, QTextStream &trace, TSnap snap)
    : mSession(session)
    , mTrace(trace)
    , mSnap(std::move(snap))
{
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

void TReplayRunner::RunRecording(const TGameRecording &game)
{
    if (const TWatchRefusal refusal = mSession.CheckRecording(game); refusal != TWatchRefusal::None)
        throw EReplayError(mSession.RefusalText(refusal, game.Design).toStdString());
    try {
        mSession.ChooseDesign(IsDefaultDesignName(game.Design) ? QString() : game.Design);
    } catch (const std::exception &e) {
        throw EReplayError(e.what());
    }
    Run(game.ScriptLines());
}

void TReplayRunner::RunLine(const QString &line)
{
    using TKind = TReplayCommand::TKind;
    const std::optional<TReplayCommand> command = TReplayCommand::Parse(line);
    if (!command)
        return;
    // Errors are shown and the run goes on, as they would in the window.
    switch (command->Kind) {
    case TKind::Seed:
        Random::Seed(command->Seed);
        if (command->LookSeed)
            Random::SetState(command->Seed, *command->LookSeed);
        break;
    case TKind::Design:
        ErrorReport::Guard([&] {
            mSession.ChooseDesign(IsDefaultDesignName(command->Text) ? QString() : command->Text);
        });
        break;
    case TKind::New:
    case TKind::Demo:
        ErrorReport::Guard([&] { mSession.StartGame(command->Kind == TKind::Demo); });
        break;
    case TKind::Stop:
        ErrorReport::Guard([&] { mSession.StopGame(); });
        break;
    case TKind::Pause:
        ErrorReport::Guard([&] { mSession.TogglePause(); });
        break;
    case TKind::Tick:
        Tick(command->Count, command->Keys);
        break;
    case TKind::Name:
        mPendingNames.append(command->Text);
        break;
    case TKind::Snap:
        Snap(command->Text);
        break;
    }
}

std::optional<QString> TReplayRunner::TakeName()
{
    if (mPendingNames.isEmpty())
        return std::nullopt;
    return mPendingNames.takeFirst();
}

void TReplayRunner::Tick(int count, const std::vector<TGameKey> &keys)
{
    TKeyState &state = mSession.Keys();
    state.ReleaseAll();
    for (const TGameKey key : keys)
        state.SetHeld(key, true);
    for (int i = 0; i < count; ++i) {
        ++mTicks;
        // A paused game's timer does not tick; time still passes in the trace.
        if (mSession.TimerRuns())
            mSession.Tick();
        // No event loop runs here: the name entry a tick queued runs now.
        mSession.EnterPendingHighScore();
        mTrace << TraceLine() << '\n';
    }
    mTrace.flush();
    state.ReleaseAll();
}

void TReplayRunner::Snap(const QString &path) const
{
    if (!mSnap || !mSnap().save(path, "PNG"))
        throw EReplayError("cannot write " + path.toStdString());
}

QString TReplayRunner::TraceLine() const
{
    return RoundTraceLine(mSession.Cycle(), mTicks);
}
