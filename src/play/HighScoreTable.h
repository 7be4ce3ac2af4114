#pragma once

#include "base/KeyValueList.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>

// Lines of a string list that start with a prefix, e.g. the "Score=" lines
// of the settings file. The prefix matches without regard to case.
void ReadPrefixedLines(const QString &prefix, const QStringList &source, QStringList &target);
void DeletePrefixedLines(const QString &prefix, QStringList &list);

// One high-score entry: "score;name;design", the score zero-padded to 12
// digits so that sorting the text sorts the scores.
struct TScoreEntry
{
    int32_t score = 0;
    QString name;
    QString design;
};

// The score is the text before the first ";" (0 when it is not a number);
// the design is everything after the second ";" and may contain ";".
TScoreEntry ParseScoreEntry(const QString &entry);
QString FormatScoreEntry(int32_t score, const QString &name, const QString &design);

enum class TScoreTitle { None, NewHighscore, InTopTwenty };

// The message key of a title shown in the name dialog.
QString TitleMessageKey(TScoreTitle title);

// The twenty best results, kept in ascending order (best last).
class THighScoreTable
{
public:
    static constexpr int MaxEntries = 20;
    // Asks the player's name for a title; nullopt means cancelled.
    using TAskName = std::function<std::optional<QString>(TScoreTitle title, int32_t score)>;

    THighScoreTable() = default;
    explicit THighScoreTable(const QStringList &entries);

    // Takes the "Score=" lines of the settings.
    void Load(const TKeyValueList &settings);
    const QStringList &Entries() const { return mEntries; }

    TScoreTitle TitleFor(int32_t score) const;
    // Adds an entry and drops the lowest ones beyond the table's size.
    void Record(const QString &entry);
    // Replaces every "Score=" line of the settings by the table, lowest first,
    // at the end of the list.
    void WriteTo(TKeyValueList &settings) const;

    // The whole check after a player's game: asks for a name when the score
    // earns a title, updates the table, "LastScore" and the "Score=" lines.
    // Returns whether the settings must be written (a score above 0). A
    // design name with a line break or control character throws. The entry
    // that went into the table, if one did, goes to `entered`.
    bool Enter(int32_t score, const QString &designName, TKeyValueList &settings,
               const TAskName &askName, QString *entered = nullptr);

    // Case-insensitive, locale-aware, stable ascending order.
    static void Sort(QStringList &entries);
    // A name must never break the entry or the settings line it lives in.
    static QString CleanName(const QString &name);

private:
    void Normalise();

    QStringList mEntries;
};
