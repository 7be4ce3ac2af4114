#include "play/ReplayScript.h"

#include <QStringList>

#include <utility>

namespace {

using TKind = TReplayCommand::TKind;

int ParseCount(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 0)
        throw EReplayError("expected a number, got \"" + text.toStdString() + "\"");
    return value;
}

std::optional<TKind> PlainKind(const QString &command)
{
    static const std::pair<const char *, TKind> kPlain[] = {
        {"new", TKind::New}, {"demo", TKind::Demo}, {"stop", TKind::Stop}, {"pause", TKind::Pause}};
    for (const auto &[name, kind] : kPlain)
        if (command == QLatin1String(name))
            return kind;
    return std::nullopt;
}

TReplayCommand Tick(const QStringList &words)
{
    if (words.isEmpty())
        throw EReplayError("tick needs a count");
    TReplayCommand tick{.Kind = TKind::Tick, .Count = ParseCount(words.first())};
    for (const QString &key : words.mid(1)) {
        const std::optional<TGameKey> held = GameKeyNamed(key);
        if (!held)
            throw EReplayError("unknown key \"" + key.toStdString() + "\"");
        tick.Keys.push_back(*held);
    }
    return tick;
}

TReplayCommand ParseSeed(const QStringList &words)
{
    bool ok = !words.isEmpty() && words.size() <= 2;
    TReplayCommand seed{.Kind = TKind::Seed, .Seed = ok ? words.first().toUInt(&ok) : 0};
    if (ok && words.size() == 2)
        seed.LookSeed = words.at(1).toUInt(&ok);
    if (!ok)
        throw EReplayError("seed needs a number");
    return seed;
}

} // namespace

std::optional<TReplayCommand> TReplayCommand::Parse(const QString &rawLine)
{
    const QString line = rawLine.section(QLatin1Char('#'), 0, 0).trimmed();
    if (line.isEmpty())
        return std::nullopt;
    const QString command = line.section(QLatin1Char(' '), 0, 0);
    const QString rest = line.section(QLatin1Char(' '), 1).trimmed();
    if (const std::optional<TKind> plain = PlainKind(command))
        return TReplayCommand{.Kind = *plain};
    if (command == QLatin1String("seed"))
        return ParseSeed(rest.split(QLatin1Char(' '), Qt::SkipEmptyParts));
    if (command == QLatin1String("tick"))
        return Tick(rest.split(QLatin1Char(' '), Qt::SkipEmptyParts));
    if (command == QLatin1String("design"))
        return TReplayCommand{.Kind = TKind::Design, .Text = rest};
    if (command == QLatin1String("name"))
        return TReplayCommand{.Kind = TKind::Name, .Text = rest};
    if (command == QLatin1String("snap")) {
        if (rest.isEmpty())
            throw EReplayError("snap needs a file name");
        return TReplayCommand{.Kind = TKind::Snap, .Text = rest};
    }
    throw EReplayError("unknown command \"" + command.toStdString() + "\"");
}
