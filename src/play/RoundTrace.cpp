#include "play/RoundTrace.h"

#include "play/GameRound.h"

#include "sprites/Sprite.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

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

QString RoundTraceLine(const TGameRound &round, int tick)
{
    QJsonArray ships;
    for (int i = 0; i < round.Ships().Count(); ++i)
        ships.append(Placed(*round.Ships().Items(i)));
    const QJsonObject object{
        {QStringLiteral("tick"), tick},
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
