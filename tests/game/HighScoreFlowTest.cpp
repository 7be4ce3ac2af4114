#include "WindowFixture.h"

#include "game/dialogs/ScoreDialog.h"

#include <QFile>

// Whole games through the script, ending in the name entry.
class HighScoreFlowTest : public WindowFixture
{
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        mSettingsDir.Write("snapstorm.ini", "Language=english.lng\n");
        Start();
    }

    // Plays a game of the given kind to `score` and through its game-over display.
    void PlayGameEndingWith(const char *kind, int score)
    {
        Run(QString("%1\ntick 3").arg(kind));
        Round().SetScore(score);
        Cycle().GameOver();
        Run("tick 51");
        ASSERT_EQ(Cycle().GameState(), gsAttract);
    }

    QStringList SettingsLines() const
    {
        return QString::fromUtf8(SettingsFile()).split('\n', Qt::SkipEmptyParts);
    }

    // Counts the name requests, answering each with `answer`.
    void CountRequests(std::optional<QString> answer)
    {
        mForm->ScoreDialog().SetAnswerHook([this, answer](TScoreDialog &) {
            ++mRequests;
            return answer;
        });
    }

    int mRequests = 0;
};

TEST_F(HighScoreFlowTest, NamedResultEntersTheTableAndIsWrittenAtTheEnd)
{
    Run("name Alice");
    PlayGameEndingWith("new", 120);
    const QString entry = "000000000120;Alice;Default";
    EXPECT_EQ(Settings().Value("LastScore"), entry);
    EXPECT_EQ(SettingsLines().last(), "Score=" + entry);
    EXPECT_TRUE(SettingsLines().contains("HighScore=120"));
    EXPECT_TRUE(SettingsLines().contains("LastScore=" + entry));
    // The attract text now shows the result with its rank.
    EXPECT_TRUE(Attract().ScrollTexts().contains("1.) 120 Alice (Default)"));

    Run("name Bob");
    PlayGameEndingWith("new", 90);
    const QStringList lines = SettingsLines();
    EXPECT_EQ(lines.mid(lines.size() - 2),
              (QStringList{"Score=000000000090;Bob;Default", "Score=" + entry}));
}

TEST_F(HighScoreFlowTest, CancelledEntryStillWritesTheSettings)
{
    PlayGameEndingWith("new", 40);
    EXPECT_TRUE(Settings().Value("LastScore").isEmpty());
    EXPECT_TRUE(SettingsLines().contains("HighScore=40"));
    EXPECT_FALSE(SettingsFile().contains("Score=0"));
}

TEST_F(HighScoreFlowTest, GameWithoutPointsWritesNothing)
{
    CountRequests(QStringLiteral("Nobody"));
    PlayGameEndingWith("new", 0);
    EXPECT_EQ(mRequests, 0);
    EXPECT_EQ(SettingsFile(), "Language=english.lng\n");
    EXPECT_TRUE(Settings().Value("LastScore").isEmpty());
}

TEST_F(HighScoreFlowTest, DemoNeverAsksForAName)
{
    CountRequests(QStringLiteral("Robot"));
    PlayGameEndingWith("demo", 250);
    EXPECT_EQ(mRequests, 0);
    EXPECT_TRUE(Settings().Value("LastScore").isEmpty());
    // The demo's score is remembered for the next start, written at program end.
    EXPECT_EQ(Settings().Value("HighScore"), "250");
    EXPECT_EQ(SettingsFile(), "Language=english.lng\n");
}

TEST_F(HighScoreFlowTest, StoppedGameAsksNothing)
{
    CountRequests(QStringLiteral("Quitter"));
    Run("new\ntick 3");
    Round().SetScore(300);
    Run("stop\ntick 60");
    EXPECT_EQ(mRequests, 0);
    EXPECT_EQ(SettingsFile(), "Language=english.lng\n");
}
