#include "ReplayRunner.h"

#include "play/GameRound.h"
#include "MainForm.h"
#include "game/dialogs/ScoreDialog.h"

#include "base/ErrorReport.h"
#include "base/Random.h"
#include "design/DesignFolder.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteBox.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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

QJsonArray Position(const TSprite &sprite)
{
    return QJsonArray{sprite.Left(), sprite.Top()};
}

QJsonArray Placed(const TSprite &sprite)
{
    return QJsonArray{sprite.Left(), sprite.Top(), sprite.State(), sprite.Enabled()};
}

QJsonArray EnabledPositions(const TSpriteList &list)
{
    QJsonArray result;
    for (int i = 0; i < list.Count(); ++i) {
        if (list.Items(i)->Enabled())
            result.append(Position(*list.Items(i)));
    }
    return result;
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
        if (key == QLatin1String("Left"))
            state.SetHeld(TGameKey::Left, true);
        else if (key == QLatin1String("Right"))
            state.SetHeld(TGameKey::Right, true);
        else if (key == QLatin1String("Space"))
            state.SetHeld(TGameKey::Space, true);
        else
            throw EReplayError("unknown key \"" + key.toStdString() + "\"");
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
    TGameRound &round = mForm.Round();
    QJsonArray ships;
    for (int i = 0; i < round.Ships().Count(); ++i)
        ships.append(Placed(*round.Ships().Items(i)));
    const QJsonObject object{
        {QStringLiteral("tick"), mTicks},
        {QStringLiteral("state"), static_cast<int>(round.GameState())},
        {QStringLiteral("score"), round.Score()},
        {QStringLiteral("lives"), round.CanonsLeft().Count()},
        {QStringLiteral("fx"), round.FormationX()},
        {QStringLiteral("fy"), round.FormationY()},
        {QStringLiteral("fvx"), round.FormationVX()},
        {QStringLiteral("delay"), round.MoveDownDelay()},
        {QStringLiteral("count"), round.MoveDownCount()},
        {QStringLiteral("reload"), round.ReloadCount()},
        {QStringLiteral("entering"), round.CanonEntering()},
        {QStringLiteral("countdown"), round.Countdown()},
        {QStringLiteral("canon"), Placed(round.Canon())},
        {QStringLiteral("ships"), ships},
        {QStringLiteral("rockets"), EnabledPositions(round.Rockets())},
        {QStringLiteral("bombs"), EnabledPositions(round.Bombs())},
    };
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}
