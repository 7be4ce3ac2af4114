#include "play/GameRecording.h"

#include "play/ReplayScript.h"

#include <QList>

#include <utility>

namespace {

const QByteArray kMagic = QByteArrayLiteral("Snapstorm game");
// A long game is some thousand ticks; this only stops a damaged file from
// asking for memory without end.
constexpr qint64 kMaxTicks = 10'000'000;

constexpr std::pair<TGameKey, std::uint8_t> kKeyBits[] = {{TGameKey::Left, TGameRecording::HeldLeft},
                                                          {TGameKey::Right, TGameRecording::HeldRight},
                                                          {TGameKey::Space, TGameRecording::HeldSpace}};

[[noreturn]] void Damaged(const char *why)
{
    throw EReplayError(std::string("not a recorded game: ") + why);
}

// Runs of equal ticks: a letter for the keys ('a' none .. 'h' all three),
// then how many ticks when more than one.
QByteArray EncodeKeys(const std::vector<std::uint8_t> &keys)
{
    QByteArray out;
    for (std::size_t i = 0; i < keys.size();) {
        std::size_t run = 1;
        while (i + run < keys.size() && keys[i + run] == keys[i])
            ++run;
        out += static_cast<char>('a' + keys[i]);
        if (run > 1)
            out += QByteArray::number(static_cast<qulonglong>(run));
        i += run;
    }
    return out;
}

std::vector<std::uint8_t> DecodeKeys(const QByteArray &text)
{
    std::vector<std::uint8_t> keys;
    for (qsizetype i = 0; i < text.size();) {
        const char letter = text.at(i++);
        if (letter < 'a' || letter > 'h')
            Damaged("bad keys");
        qsizetype end = i;
        while (end < text.size() && text.at(end) >= '0' && text.at(end) <= '9')
            ++end;
        bool ok = true;
        const qint64 run = end > i ? text.mid(i, end - i).toLongLong(&ok) : 1;
        if (!ok || run < 1 || static_cast<qint64>(keys.size()) + run > kMaxTicks)
            Damaged("bad keys");
        keys.insert(keys.end(), static_cast<std::size_t>(run), static_cast<std::uint8_t>(letter - 'a'));
        i = end;
    }
    return keys;
}

std::uint32_t Number(const QByteArray &text)
{
    bool ok = false;
    const uint value = text.toUInt(&ok);
    if (!ok)
        Damaged("bad number");
    return value;
}

QString KeyNames(std::uint8_t mask)
{
    QString names;
    for (const char *name : {"Left", "Right", "Space"}) {
        if (mask & 1)
            names += QLatin1Char(' ') + QLatin1String(name);
        mask >>= 1;
    }
    return names;
}

} // namespace

std::uint8_t TGameRecording::HeldMask(const TKeyState &keys)
{
    std::uint8_t mask = 0;
    for (const auto &[key, bit] : kKeyBits)
        if (keys.IsHeld(key))
            mask |= bit;
    return mask;
}

void TGameRecording::Hold(TKeyState &keys, std::uint8_t mask)
{
    for (const auto &[key, bit] : kKeyBits)
        keys.SetHeld(key, (mask & bit) != 0);
}

bool TGameRecording::IsRecording(const QByteArray &head)
{
    return head.startsWith(kMagic + ' ');
}

QByteArray TGameRecording::Serialize() const
{
    QByteArray out = kMagic + ' ' + QByteArray::number(Format) + '\n';
    out += "rules " + QByteArray::number(Rules) + '\n';
    out += "seed " + QByteArray::number(Seed) + ' ' + QByteArray::number(LookSeed) + '\n';
    out += "design " + Design.toUtf8() + '\n';
    out += "hash " + DesignHash.toUtf8() + '\n';
    out += "entry " + Entry.toUtf8() + '\n';
    out += "score " + QByteArray::number(Score) + '\n';
    if (Played.isValid())
        out += "played " + Played.toUTC().toString(Qt::ISODate).toLatin1() + '\n';
    out += "ticks " + QByteArray::number(static_cast<qulonglong>(Keys.size())) + '\n';
    out += "keys " + EncodeKeys(Keys) + '\n';
    return out;
}

TGameRecording TGameRecording::Parse(const QByteArray &text)
{
    if (!IsRecording(text))
        Damaged("no header");
    TGameRecording recording;
    qint64 ticks = -1;
    const QList<QByteArray> lines = text.split('\n');
    recording.Format = static_cast<int>(Number(lines.first().mid(kMagic.size() + 1).trimmed()));
    // A newer program's recording may hold lines this one does not know.
    if (recording.Format > CurrentFormat)
        return recording;
    for (const QByteArray &line : lines.mid(1)) {
        const qsizetype space = line.indexOf(' ');
        const QByteArray key = space < 0 ? line : line.left(space);
        const QByteArray value = space < 0 ? QByteArray() : line.mid(space + 1);
        if (key == "rules")
            recording.Rules = static_cast<int>(Number(value));
        else if (key == "seed") {
            const QList<QByteArray> seeds = value.split(' ');
            recording.Seed = Number(seeds.first());
            recording.LookSeed = seeds.size() > 1 ? Number(seeds.at(1)) : 0;
        } else if (key == "design")
            recording.Design = QString::fromUtf8(value);
        else if (key == "hash")
            recording.DesignHash = QString::fromUtf8(value);
        else if (key == "entry")
            recording.Entry = QString::fromUtf8(value);
        else if (key == "score")
            recording.Score = static_cast<std::int32_t>(value.toInt());
        else if (key == "played")
            recording.Played = QDateTime::fromString(QString::fromLatin1(value), Qt::ISODate);
        else if (key == "ticks")
            ticks = Number(value);
        else if (key == "keys")
            recording.Keys = DecodeKeys(value);
    }
    if (recording.Design.isEmpty() || ticks != static_cast<qint64>(recording.Keys.size()))
        Damaged("cut short");
    return recording;
}

QStringList TGameRecording::ScriptLines() const
{
    QStringList lines{QStringLiteral("seed %1 %2").arg(Seed).arg(LookSeed), QStringLiteral("new")};
    for (std::size_t i = 0; i < Keys.size();) {
        std::size_t run = 1;
        while (i + run < Keys.size() && Keys[i + run] == Keys[i])
            ++run;
        lines << QStringLiteral("tick %1").arg(run) + KeyNames(Keys[i]);
        i += run;
    }
    return lines;
}
