#include "GameFixture.h"

#include "base/ErrorReport.h"
#include "design/GamePar.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteList.h"

#include <QBuffer>
#include <QImage>

namespace {

int EnabledCount(const TSpriteList &list)
{
    int count = 0;
    for (int i = 0; i < list.Count(); ++i)
        count += list.Items(i)->Enabled() ? 1 : 0;
    return count;
}

} // namespace

TEST_F(GameFixture, HoldingSpaceFiresEveryFiveTicksWithAtMostThreeRockets)
{
    Start();
    Run("seed 1\nnew\ntick 25\ntick 10 Left");  // in place, away from the homes
    ASSERT_FALSE(Round().CanonEntering());
    int fired = 0;
    int previous = 0;
    for (int tick = 0; tick < 40; ++tick) {
        Run("tick 1 Space");
        const int now = EnabledCount(Round().Rockets());
        EXPECT_LE(now, 3);
        if (now > previous)
            ++fired;
        previous = now;
    }
    EXPECT_GE(fired, 3);
    EXPECT_LE(fired, 8);  // one shot per five ticks at the most
}

TEST_F(GameFixture, ReleasingSpaceLetsTheNextPressFireAtOnce)
{
    Start();
    // Out from under the homes, which stop rockets.
    Run("seed 1\nnew\ntick 25\ntick 10 Left\ntick 1 Space");
    const int afterFirst = EnabledCount(Round().Rockets());
    Run("tick 1\ntick 1 Space");
    EXPECT_EQ(EnabledCount(Round().Rockets()), afterFirst + 1);
}

TEST_F(GameFixture, CanonGoesRightWithBothKeysAndStopsFivePixelsFromEitherEdge)
{
    Start();
    Run("seed 1\nnew\ntick 25");
    const int start = Round().Canon().Left();
    Run("tick 1 Left Right");
    EXPECT_EQ(Round().Canon().Left(), start + Round().GamePar().CanonStep());
    Run("tick 100 Left");
    EXPECT_EQ(Round().Canon().Left(), 5);
    Run("tick 100 Right");
    EXPECT_EQ(Round().Canon().Left(), Round().ClientWidth() - Round().Canon().Width() - 5);
}

TEST_F(GameFixture, FirstLevelStepsDownAfterNinetyTwoTicksAndLaterLevelsFaster)
{
    Start();
    Run("seed 3\nnew");
    EXPECT_EQ(Round().MoveDownDelay(), 92);
    EXPECT_EQ(Round().MoveDownCount(), 92);
    for (int level = 2; level <= 10; ++level)
        Round().NewLevel();
    EXPECT_EQ(Round().MoveDownDelay(), 28);
}

TEST_F(GameFixture, ReachingTheBonusScoreAddsACannonAlsoInADemo)
{
    Start();
    Run("seed 1\ndemo\ntick 1");
    const int lives = Round().CanonsLeft().Count();
    Round().SetScore(4990);
    EXPECT_EQ(Round().CanonsLeft().Count(), lives);
    Round().SetScore(5190);
    EXPECT_EQ(Round().CanonsLeft().Count(), lives + 1);
}

TEST_F(GameFixture, ShipTouchingAHomeEndsTheGameWithCannonsLeftAndStoresHighScore)
{
    Start();
    Run("seed 1\nnew\ntick 25");
    Round().SetScore(120);
    // Step the formation down until it reaches the homes.
    for (int i = 0; i < 5000 && Round().GameState() == gsPlaying; ++i)
        Run("tick 1");
    ASSERT_EQ(Round().GameState(), gsGameOver);
    EXPECT_GT(Round().CanonsLeft().Count() + (Round().Canon().Enabled() ? 1 : 0), 0);
    EXPECT_EQ(mForm->Settings().Value("HighScore"), QString::number(Round().Score()));
}

TEST_F(GameFixture, GameOverDisplayLastsFiftyOneTicksThenReturnsToAttract)
{
    Start();
    Run("seed 1\nnew\ntick 5");
    Round().GameOver();
    Run("tick 50");
    EXPECT_EQ(Round().GameState(), gsGameOver);
    Run("tick 1");
    EXPECT_NE(Round().GameState(), gsGameOver);
    EXPECT_TRUE(Round().GameState() == gsAttract || Round().GameState() == gsAttractWaiting);
}

TEST_F(GameFixture, DesignChangeDuringAGameKeepsItRunningWithNewSize)
{
    MakeDesign("Wide", {{"!design.ini", "BigShipWidth=120\r\n"}});
    Start();
    Run("seed 1\nnew\ntick 25");
    const int width = Round().ClientWidth();
    const int score = Round().Score();
    Run("design Wide\ntick 1");
    EXPECT_EQ(Round().GameState(), gsPlaying);
    EXPECT_GT(Round().ClientWidth(), width);
    EXPECT_EQ(Round().Score(), score);
    EXPECT_EQ(mForm->windowTitle(), "Snapstorm [Wide]");
    Run("design Default");
    EXPECT_EQ(mForm->windowTitle(), "Snapstorm");
    EXPECT_TRUE(mForm->Settings().Value("Design").isEmpty());
}

TEST_F(GameFixture, StillExplosionPictureStillLetsALevelEnd)
{
    // A one-frame explosion picture never reaches a "last frame".
    QImage still(32, 32, QImage::Format_RGB32);
    still.fill(Qt::yellow);
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    still.save(&buffer, "BMP");
    MakeDesign("Still", {{"!design.ini", ""}, {"Image7.bmp", bmp}});
    Start();
    Run("seed 1\ndesign Still\nnew\ntick 25");
    TGameRound &round = Round();
    for (int i = 0; i < round.Ships().Count(); ++i)
        round.Ships().Items(i)->SetState(1);
    const int score = round.Score();
    Run("tick 2");
    EXPECT_EQ(round.Score(), score + 200);
    for (int i = 0; i < round.Ships().Count(); ++i)
        EXPECT_TRUE(round.Ships().Items(i)->Enabled()) << "next level started";
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
    EXPECT_TRUE(mForm->GamePar().IsDefault());
    EXPECT_EQ(mForm->windowTitle(), "Snapstorm");
}

TEST_F(GameFixture, FailedDesignChangeLeavesTheCurrentDesign)
{
    MakeDesign("Broken", {{"!design.ini", ""}, {"Image6.bmp", "BM nonsense"}});
    MakeDesign("Good", {{"!design.ini", "BackgroundColor=255\r\n"}});
    Start();
    Run("design Good\nnew\ntick 3");
    EXPECT_THROW(mForm->DesignItemClick("Broken"), std::exception);
    EXPECT_EQ(mForm->GamePar().DesignName(), "Good");
    EXPECT_EQ(Round().GameState(), gsPlaying);
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
    EXPECT_EQ(Round().GameState(), gsPlaying);
}
