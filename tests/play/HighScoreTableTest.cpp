#include "play/HighScoreTable.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

QString E(int score, const QString &name, const QString &design = "Default")
{
    return FormatScoreEntry(score, name, design);
}

// A full table with the scores 100, 200, ... 2000.
QStringList FullTable()
{
    QStringList entries;
    for (int i = 1; i <= THighScoreTable::MaxEntries; ++i)
        entries << E(i * 100, QString("P%1").arg(i));
    return entries;
}

THighScoreTable::TAskName Answer(std::optional<QString> name, TScoreTitle *asked = nullptr)
{
    return [=](TScoreTitle title, int32_t) {
        if (asked)
            *asked = title;
        return name;
    };
}

THighScoreTable::TAskName MustNotAsk()
{
    return [](TScoreTitle, int32_t) -> std::optional<QString> {
        ADD_FAILURE() << "no name may be asked for";
        return std::nullopt;
    };
}

} // namespace

TEST(PrefixedLines, ReadIgnoresPrefixCaseAndDeleteRemovesEveryPrefixedLine)
{
    const QStringList source{"Sound=1", "Score=a", "SCORE=b", "Scorer=x", "Score=a", "score"};
    QStringList values{"keep"};
    ReadPrefixedLines("Score=", source, values);
    EXPECT_EQ(values, QStringList({"keep", "a", "b", "a"}));

    QStringList list = source;
    DeletePrefixedLines("Score=", list);
    EXPECT_EQ(list, QStringList({"Sound=1", "Scorer=x", "score"}));
}

TEST(ScoreEntry, FormatPadsTwelveDigitsAndParseSplitsAtFirstTwoSemicolons)
{
    EXPECT_EQ(E(4210, "Player"), "000000004210;Player;Default");
    EXPECT_EQ(E(5, ""), "000000000005;;Default");

    const TScoreEntry e = ParseScoreEntry("000000004210;Ann;Space;Wars;2");
    EXPECT_EQ(e.score, 4210);
    EXPECT_EQ(e.name, "Ann");
    EXPECT_EQ(e.design, "Space;Wars;2");

    const TScoreEntry bad = ParseScoreEntry("abc;Bob;D");
    EXPECT_EQ(bad.score, 0);
    EXPECT_EQ(bad.name, "Bob");
    EXPECT_EQ(ParseScoreEntry("999999999999;x;y").score, 0); // beyond 32 bits: not a number
    const TScoreEntry bare = ParseScoreEntry("garbage");
    EXPECT_EQ(bare.score, 0);
    EXPECT_EQ(bare.name, "");
    EXPECT_EQ(bare.design, "");
}

TEST(HighScoreTable, SortsAscendingIgnoringCaseAndKeepsTheBestTwenty)
{
    THighScoreTable table({E(10, "carl"), E(10, "alice"), E(900, "Z"), E(10, "Bob")});
    EXPECT_EQ(table.Entries(),
              QStringList({E(10, "alice"), E(10, "Bob"), E(10, "carl"), E(900, "Z")}));

    QStringList tooMany = FullTable();
    tooMany << E(50, "Low") << E(5000, "Top");
    THighScoreTable trimmed(tooMany);
    ASSERT_EQ(trimmed.Entries().size(), 20);
    EXPECT_EQ(trimmed.Entries().first(), E(200, "P2"));
    EXPECT_EQ(trimmed.Entries().last(), E(5000, "Top"));
}

TEST(HighScoreTable, TitleAtTheBoundaries)
{
    EXPECT_EQ(THighScoreTable().TitleFor(1), TScoreTitle::NewHighscore);

    THighScoreTable some({E(100, "A"), E(500, "B")});
    EXPECT_EQ(some.TitleFor(501), TScoreTitle::NewHighscore);
    EXPECT_EQ(some.TitleFor(500), TScoreTitle::InTopTwenty); // equal to the best
    EXPECT_EQ(some.TitleFor(1), TScoreTitle::InTopTwenty);   // room left

    THighScoreTable full(FullTable());
    EXPECT_EQ(full.TitleFor(2001), TScoreTitle::NewHighscore);
    EXPECT_EQ(full.TitleFor(101), TScoreTitle::InTopTwenty);
    EXPECT_EQ(full.TitleFor(100), TScoreTitle::None); // equal to the lowest
    EXPECT_EQ(full.TitleFor(1), TScoreTitle::None);
}

TEST(HighScoreTable, RecordInFullTableDropsLowestWhoseNameSortsFirst)
{
    QStringList entries = FullTable();
    entries[0] = E(100, "bob");
    entries[1] = E(100, "Alice");
    THighScoreTable table(entries);
    table.Record(E(150, "New"));
    ASSERT_EQ(table.Entries().size(), 20);
    EXPECT_FALSE(table.Entries().contains(E(100, "Alice")));
    EXPECT_EQ(table.Entries().first(), E(100, "bob"));
    EXPECT_EQ(table.Entries().at(1), E(150, "New"));
}

TEST(HighScoreTableEnter, ZeroScoreChangesNothingAndWritesNothing)
{
    TKeyValueList settings({"LastScore=" + E(7, "Old"), "Score=" + E(7, "Old")});
    const QStringList before = settings.Lines();
    THighScoreTable table;
    table.Load(settings);
    EXPECT_FALSE(table.Enter(0, "Default", settings, MustNotAsk()));
    EXPECT_EQ(settings.Lines(), before);
    EXPECT_EQ(table.Entries().size(), 1);
}

TEST(HighScoreTableEnter, OkPutsScoreLinesTogetherAtTheEndLowestFirstAndKeepsOtherLines)
{
    TKeyValueList settings({"Score=" + E(300, "C"), "# comment", "Sound=1", "Score=" + E(100, "A"),
                            "[odd]", "Score=broken"});
    THighScoreTable table;
    table.Load(settings);
    TScoreTitle asked = TScoreTitle::None;
    EXPECT_TRUE(table.Enter(200, "Space", settings, Answer(QString("Bee"), &asked)));
    // the malformed line scores 0 but sorts by its text, after the digits
    EXPECT_EQ(asked, TScoreTitle::NewHighscore);
    EXPECT_EQ(settings.Lines(),
              QStringList({"# comment", "Sound=1", "[odd]", "LastScore=" + E(200, "Bee", "Space"),
                           "Score=" + E(100, "A"), "Score=" + E(200, "Bee", "Space"),
                           "Score=" + E(300, "C"), "Score=broken"}));
    EXPECT_EQ(ParseScoreEntry(table.Entries().last()).score, 0);
}

TEST(HighScoreTableEnter, EmptyNameIsAcceptedAndSemicolonsCannotBreakTheEntry)
{
    TKeyValueList settings;
    THighScoreTable table;
    table.Enter(50, "Default", settings, Answer(QString()));
    EXPECT_EQ(settings.Value("LastScore"), "000000000050;;Default");
    table.Enter(60, "Default", settings, Answer(QString("a;b\nc")));
    EXPECT_EQ(settings.Value("LastScore"), "000000000060;abc;Default");
    EXPECT_EQ(settings.Lines().size(), 3);
}

TEST(HighScoreTableEnter, LineBreaksNeverReachTheEntry)
{
    TKeyValueList settings;
    THighScoreTable table;
    table.Enter(60, "Default", settings, Answer(QString("a") + QChar(0x2028) + "b\tc"));
    EXPECT_EQ(settings.Value("LastScore"), "000000000060;abc;Default");
    EXPECT_THROW(table.Enter(70, "Evil\nScore=1", settings, MustNotAsk()), std::invalid_argument);
    EXPECT_EQ(settings.Lines().size(), 2);
}

TEST(HighScoreTableEnter, CancelLeavesTableAndLastScoreButStillAsksForWrite)
{
    TKeyValueList settings({"LastScore=" + E(7, "Old"), "Score=" + E(7, "Old")});
    const QStringList before = settings.Lines();
    THighScoreTable table;
    table.Load(settings);
    TScoreTitle asked = TScoreTitle::None;
    EXPECT_TRUE(table.Enter(7, "Default", settings, Answer(std::nullopt, &asked)));
    EXPECT_EQ(asked, TScoreTitle::InTopTwenty);
    EXPECT_EQ(settings.Lines(), before);
    EXPECT_EQ(table.Entries(), QStringList({E(7, "Old")}));
}

TEST(HighScoreTableEnter, NoTitleSetsQuestionMarkNameAndLeavesTable)
{
    QStringList lines;
    for (const QString &e : FullTable())
        lines << "Score=" + e;
    TKeyValueList settings(lines);
    THighScoreTable table;
    table.Load(settings);
    EXPECT_TRUE(table.Enter(100, "Retro", settings, MustNotAsk()));
    EXPECT_EQ(settings.Value("LastScore"), E(100, "?", "Retro"));
    EXPECT_EQ(table.Entries(), FullTable());
}
