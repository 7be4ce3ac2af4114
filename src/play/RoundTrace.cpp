#include "play/RoundTrace.h"

#include "play/GameCycle.h"
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

QString RoundTraceLine(const TGameCycle &cycle, int tick)
{
    const TGameRound &round = cycle.Round();
    const TRoundSprites &sprites = round.Sprites();
    QJsonArray ships;
    for (int i = 0; i < sprites.Ships().Count(); ++i)
        ships.append(Placed(*sprites.Ships().Items(i)));
    const QJsonObject object{
        {QStringLiteral("tick"), tick},
        {QStringLiteral("state"), static_cast<int>(cycle.GameState())},
        {QStringLiteral("score"), round.Score()},
        {QStringLiteral("lives"), sprites.CanonsLeft().Count()},
        {QStringLiteral("fx"), round.FormationX()},
        {QStringLiteral("fy"), round.FormationY()},
        {QStringLiteral("fvx"), round.FormationVX()},
        {QStringLiteral("delay"), round.MoveDownDelay()},
        {QStringLiteral("count"), round.MoveDownCount()},
        {QStringLiteral("reload"), round.ReloadCount()},
        {QStringLiteral("entering"), round.CanonEntering()},
        {QStringLiteral("countdown"), cycle.Countdown()},
        {QStringLiteral("canon"), Placed(sprites.Canon())},
        {QStringLiteral("ships"), ships},
        {QStringLiteral("rockets"), EnabledPositions(sprites.Rockets())},
        {QStringLiteral("bombs"), EnabledPositions(sprites.Bombs())},
    };
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}
