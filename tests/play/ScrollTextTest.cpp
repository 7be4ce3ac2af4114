#include "play/HighScoreTable.h"
#include "play/ScrollText.h"

#include <gtest/gtest.h>

namespace {

// Greetings have texts; every other key is missing and comes back as itself.
QString Lookup(const QString &key)
{
    if (key == "ScollText1")
        return "Welcome";
    if (key == "ScollText3")
        return "Press F2";
    return key;
}

const QStringList Greeting{"", "Welcome", "ScollText2", "Press F2", "", "", "* * * * *"};

} // namespace

TEST(ScrollText, NoLastGameAndNoTableGiveOnlyTheGreetings)
{
    EXPECT_EQ(BuildScrollTextLines(Lookup, QString(), {}), Greeting);
}

TEST(ScrollText, TableIsListedBestFirstAndLastGameShowsItsRank)
{
    const QStringList table{FormatScoreEntry(10, "bob", "D;x"), FormatScoreEntry(10, "Carl", "D"),
                            FormatScoreEntry(4210, "Ann", "Space")};
    // Found as a whole line regardless of letter case.
    const QString last = FormatScoreEntry(10, "BOB", "d;X");
    QStringList expected = Greeting;
    expected << "" << "Last Score" << "3.) 10 BOB (d;X)" << "" << "* * * * *";
    expected << "" << "" << "Highscores" << ""
             << "1.) 4210 Ann (Space)" << "2.) 10 Carl (D)" << "3.) 10 bob (D;x)" << ""
             << "* * * * *";
    EXPECT_EQ(BuildScrollTextLines(Lookup, last, table), expected);
}

TEST(ScrollText, LastGameOutsideTableHasNoRank)
{
    const QStringList table{FormatScoreEntry(500, "Ann", "Default")};
    const QStringList lines =
        BuildScrollTextLines(Lookup, FormatScoreEntry(40, "?", "Default"), table);
    ASSERT_GT(lines.size(), 10);
    EXPECT_EQ(lines.at(9), "40 ? (Default)");
    EXPECT_EQ(lines.at(16), "1.) 500 Ann (Default)");
    EXPECT_EQ(lines.size(), 19);
}

TEST(ScrollText, NamesWithPlaceholderLookalikesAreShownVerbatim)
{
    const QStringList table{FormatScoreEntry(1, "%1%2", "%3")};
    EXPECT_EQ(BuildScrollTextLines(Lookup, QString(), table).at(11), "1.) 1 %1%2 (%3)");
}
