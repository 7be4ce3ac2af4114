#include "GameFixture.h"

#include "base/ErrorReport.h"
#include "design/GamePar.h"
#include "sprites/Sprite.h"

TEST_F(GameFixture, ShipTouchingAHomeEndsTheGameWithCannonsLeftAndStoresHighScore)
{
    Start();
    Run("seed 1\nnew\ntick 25");
    Round().SetScore(120);
    // Step the formation down until it reaches the homes.
    for (int i = 0; i < 5000 && Cycle().GameState() == gsPlaying; ++i)
        Run("tick 1");
    ASSERT_EQ(Cycle().GameState(), gsGameOver);
    EXPECT_GT(Round().Sprites().CanonsLeft().Count() + (Round().Sprites().Canon().Enabled() ? 1 : 0), 0);
    EXPECT_EQ(Settings().Value("HighScore"), QString::number(Round().Score()));
}

TEST_F(GameFixture, DesignChangeDuringAGameKeepsItRunningWithNewSize)
{
    MakeDesign("Wide", {{"!design.ini", "BigShipWidth=120\r\n"}});
    Start();
    Run("seed 1\nnew\ntick 25");
    const int width = Round().ClientWidth();
    const int score = Round().Score();
    Run("design Wide\ntick 1");
    EXPECT_EQ(Cycle().GameState(), gsPlaying);
    EXPECT_GT(Round().ClientWidth(), width);
    EXPECT_EQ(Round().Score(), score);
    EXPECT_EQ(mForm->windowTitle(), "Snapstorm [Wide]");
    Run("design Default");
    EXPECT_EQ(mForm->windowTitle(), "Snapstorm");
    EXPECT_TRUE(Settings().Value("Design").isEmpty());
}

TEST_F(GameFixture, DamagedDesignInSettingsStartsOnDefaultAfterShowingTheError)
{
    MakeDesign("Broken", {{"!design.ini", ""}, {"Image2.gif", "GIF89a garbage"}});
    mSettingsDir.Write("snapstorm.ini", "Design=Broken\nLanguage=english.lng\n");
    QStringList shown;
    ErrorReport::SetHandler([&](const QString &message) { shown << message; });
    Start();
    ErrorReport::SetHandler(nullptr);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.first().contains("Image2.gif", Qt::CaseInsensitive)) << shown.first().toStdString();
    EXPECT_TRUE(GamePar().IsDefault());
    EXPECT_EQ(mForm->windowTitle(), "Snapstorm");
}

TEST_F(GameFixture, FailedDesignChangeLeavesTheCurrentDesign)
{
    MakeDesign("Broken", {{"!design.ini", ""}, {"Image6.bmp", "BM nonsense"}});
    MakeDesign("Good", {{"!design.ini", "BackgroundColor=255\r\n"}});
    Start();
    Run("design Good\nnew\ntick 3");
    EXPECT_THROW(mForm->DesignItemClick("Broken"), std::exception);
    EXPECT_EQ(GamePar().DesignName(), "Good");
    EXPECT_EQ(Cycle().GameState(), gsPlaying);
}

TEST_F(GameFixture, SameSeedGivesTheSameTrace)
{
    const QString script = "seed 42\ndemo\ntick 300\nnew\ntick 40 Space Right";
    Start();
    Run(script);
    const QString first = mTraceText;
    mTraceText.clear();
    mForm.reset();
    Start();
    Run(script);
    EXPECT_EQ(mTraceText, first);
    EXPECT_EQ(first.count('\n'), 340);
}

TEST_F(GameFixture, ScriptErrorsNameTheirLine)
{
    Start();
    try {
        Run("seed 1\n# comment\ntick x");
        FAIL() << "expected an error";
    } catch (const EReplayError &e) {
        EXPECT_STREQ(e.what(), "line 3: expected a number, got \"x\"");
    }
}

TEST_F(GameFixture, ScriptedDesignErrorIsReportedAndTheRunGoesOn)
{
    MakeDesign("Broken", {{"!design.ini", ""}, {"Image6.bmp", "BM nonsense"}});
    QStringList shown;
    ErrorReport::SetHandler([&](const QString &message) { shown << message; });
    Start();
    EXPECT_NO_THROW(Run("design Broken\nnew\ntick 3"));
    ErrorReport::SetHandler(nullptr);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.first().contains("Image6.bmp", Qt::CaseInsensitive));
    EXPECT_EQ(Cycle().GameState(), gsPlaying);
}
