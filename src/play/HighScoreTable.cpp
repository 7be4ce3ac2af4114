#include "play/HighScoreTable.h"

#include "base/TextFile.h"

#include <QCollator>

#include <algorithm>
#include <stdexcept>

namespace {

const QString ScorePrefix = QStringLiteral("Score=");
const QString LastScoreKey = QStringLiteral("LastScore");
constexpr int MaxNameLength = 30;

} // namespace

void ReadPrefixedLines(const QString &prefix, const QStringList &source, QStringList &target)
{
    for (const QString &line : source) {
        if (line.startsWith(prefix, Qt::CaseInsensitive))
            target.append(line.mid(prefix.size()));
    }
}

void DeletePrefixedLines(const QString &prefix, QStringList &list)
{
    list.removeIf([&](const QString &line) { return line.startsWith(prefix, Qt::CaseInsensitive); });
}

TScoreEntry ParseScoreEntry(const QString &entry)
{
    TScoreEntry result;
    const qsizetype first = entry.indexOf(QLatin1Char(';'));
    bool ok = false;
    const int value = (first < 0 ? entry : entry.left(first)).toInt(&ok);
    result.score = ok ? value : 0;
    if (first < 0)
        return result;
    const qsizetype second = entry.indexOf(QLatin1Char(';'), first + 1);
    if (second < 0) {
        result.name = entry.mid(first + 1);
        return result;
    }
    result.name = entry.mid(first + 1, second - first - 1);
    result.design = entry.mid(second + 1);
    return result;
}

QString FormatScoreEntry(int32_t score, const QString &name, const QString &design)
{
    return QString::asprintf("%.12d", static_cast<int>(score)) + QLatin1Char(';') + name
        + QLatin1Char(';') + design;
}

QString TitleMessageKey(TScoreTitle title)
{
    switch (title) {
    case TScoreTitle::NewHighscore:
        return QStringLiteral("New Highscore");
    case TScoreTitle::InTopTwenty:
        return QStringLiteral("In Top Twenty");
    case TScoreTitle::None:
        break;
    }
    return {};
}

THighScoreTable::THighScoreTable(const QStringList &entries) : mEntries(entries)
{
    Normalise();
}

void THighScoreTable::Load(const TKeyValueList &settings)
{
    mEntries.clear();
    ReadPrefixedLines(ScorePrefix, settings.Lines(), mEntries);
    Normalise();
}

void THighScoreTable::Sort(QStringList &entries)
{
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(entries.begin(), entries.end(), [&](const QString &a, const QString &b) {
        return collator.compare(a, b) < 0;
    });
}

// A hand-edited file may hold more lines than the table keeps; the lowest go.
void THighScoreTable::Normalise()
{
    Sort(mEntries);
    while (mEntries.size() > MaxEntries)
        mEntries.removeFirst();
}

TScoreTitle THighScoreTable::TitleFor(int32_t score) const
{
    if (mEntries.isEmpty() || score > ParseScoreEntry(mEntries.last()).score)
        return TScoreTitle::NewHighscore;
    if (score > ParseScoreEntry(mEntries.first()).score || mEntries.size() < MaxEntries)
        return TScoreTitle::InTopTwenty;
    return TScoreTitle::None;
}

void THighScoreTable::Record(const QString &entry)
{
    mEntries.append(entry);
    Normalise();
}

void THighScoreTable::WriteTo(TKeyValueList &settings) const
{
    QStringList &lines = settings.Lines();
    DeletePrefixedLines(ScorePrefix, lines);
    for (const QString &entry : mEntries)
        lines.append(ScorePrefix + entry);
}

QString THighScoreTable::CleanName(const QString &name)
{
    QString clean;
    for (const QChar c : name) {
        if (c != QLatin1Char(';') && !IsLineBreakOrControl(c))
            clean.append(c);
    }
    return clean.left(MaxNameLength);
}

bool THighScoreTable::Enter(int32_t score, const QString &designName, TKeyValueList &settings,
                            const TAskName &askName, QString *entered)
{
    // Scores never go below 0 in a game; anything not above 0 is no result.
    if (score <= 0)
        return false;
    if (HasLineBreakOrControl(designName))
        throw std::invalid_argument("A design name cannot hold a line break or a control character.");
    const TScoreTitle title = TitleFor(score);
    if (title == TScoreTitle::None) {
        settings.SetValue(LastScoreKey, FormatScoreEntry(score, QStringLiteral("?"), designName));
        return true;
    }
    const std::optional<QString> name = askName ? askName(title, score) : std::nullopt;
    if (!name)
        return true;
    const QString entry = FormatScoreEntry(score, CleanName(*name), designName);
    settings.SetValue(LastScoreKey, entry);
    Record(entry);
    WriteTo(settings);
    if (entered)
        *entered = entry;
    return true;
}
