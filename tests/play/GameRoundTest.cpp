#include "PlayFixture.h"

#include <QBuffer>
#include <QImage>

#include <algorithm>

TEST_F(PlayFixture, HoldingSpaceFiresEveryFiveTicksWithAtMostThreeRockets)
{
    Start();
    Run("seed 1\nnew\ntick 25\ntick 10 Left");  // in place, away from the homes
    ASSERT_FALSE(Round().CanonEntering());
    int fired = 0;
    int previous = 0;
    for (int tick = 0; tick < 40; ++tick) {
        Run("tick 1 Space");
        const int now = EnabledCount(Round().Sprites().Rockets());
        EXPECT_LE(now, 3);
        if (now > previous)
            ++fired;
        previous = now;
    }
    EXPECT_GE(fired, 3);
    EXPECT_LE(fired, 8);  // one shot per five ticks at the most
}

TEST_F(PlayFixture, ReleasingSpaceLetsTheNextPressFireAtOnce)
{
    Start();
    // Out from under the homes, which stop rockets.
    Run("seed 1\nnew\ntick 25\ntick 10 Left\ntick 1 Space");
    const int afterFirst = EnabledCount(Round().Sprites().Rockets());
    Run("tick 1\ntick 1 Space");
    EXPECT_EQ(EnabledCount(Round().Sprites().Rockets()), afterFirst + 1);
}

TEST_F(PlayFixture, CanonGoesRightWithBothKeysAndStopsFivePixelsFromEitherEdge)
{
    Start();
    Run("seed 1\nnew\ntick 25");
    const int start = Round().Sprites().Canon().Left();
    Run("tick 1 Left Right");
    EXPECT_EQ(Round().Sprites().Canon().Left(), start + Round().GamePar().CanonStep());
    Run("tick 100 Left");
    EXPECT_EQ(Round().Sprites().Canon().Left(), 5);
    Run("tick 100 Right");
    EXPECT_EQ(Round().Sprites().Canon().Left(), Round().ClientWidth() - Round().Sprites().Canon().Width() - 5);
}

TEST_F(PlayFixture, FirstLevelStepsDownAfterNinetyTwoTicksAndLaterLevelsFaster)
{
    Start();
    Run("seed 3\nnew");
    EXPECT_EQ(Round().MoveDownDelay(), 92);
    EXPECT_EQ(Round().MoveDownCount(), 92);
    for (int level = 2; level <= 10; ++level)
        Round().NewLevel();
    EXPECT_EQ(Round().MoveDownDelay(), 28);
}

TEST_F(PlayFixture, ReachingTheBonusScoreAddsACannonAlsoInADemo)
{
    Start();
    Run("seed 1\ndemo\ntick 1");
    const int lives = Round().Sprites().CanonsLeft().Count();
    Round().SetScore(4990);
    EXPECT_EQ(Round().Sprites().CanonsLeft().Count(), lives);
    Round().SetScore(5190);
    EXPECT_EQ(Round().Sprites().CanonsLeft().Count(), lives + 1);
}

TEST_F(PlayFixture, GameOverDisplayLastsFiftyOneTicksThenReturnsToAttract)
{
    Start();
    Run("seed 1\nnew\ntick 5");
    Cycle().GameOver();
    Run("tick 50");
    EXPECT_EQ(Cycle().GameState(), gsGameOver);
    Run("tick 1");
    EXPECT_NE(Cycle().GameState(), gsGameOver);
    EXPECT_TRUE(Cycle().GameState() == gsAttract || Cycle().GameState() == gsAttractWaiting);
}

TEST_F(PlayFixture, StillExplosionPictureStillLetsALevelEnd)
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
    for (int i = 0; i < round.Sprites().Ships().Count(); ++i)
        round.Sprites().Ships().Items(i)->SetState(1);
    const int score = round.Score();
    Run("tick 2");
    EXPECT_EQ(round.Score(), score + 200);
    EXPECT_TRUE(std::any_of(mEvents.end() - 2, mEvents.end(),
                            [](const TTickResult &r) { return r.LevelCleared; }));
    for (int i = 0; i < round.Sprites().Ships().Count(); ++i)
        EXPECT_TRUE(round.Sprites().Ships().Items(i)->Enabled()) << "next level started";
}
