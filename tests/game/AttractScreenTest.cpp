#include "WindowFixture.h"

#include "design/GamePar.h"
#include "play/DemoPlayer.h"
#include "lang/Language.h"
#include "sprites/SpriteBox.h"

// --- title pictures and the wait for the demo ----------------------------

TEST_F(WindowFixture, TitlePicturesFollowEachOtherThenADemoStartsAfter1001Ticks)
{
    Start();
    EXPECT_EQ(Round().GameState(), gsAttract);
    EXPECT_TRUE(Title(skTitle1).Enabled());
    EXPECT_FALSE(Title(skTitle2).Enabled());
    EXPECT_FALSE(Title(skTitle3).Enabled());
    ASSERT_GT(Title(skTitle1).FrameCount(), 1) << "the shipped title must animate";

    // Picture 11 appears in the tick in which picture 10 shows its last frame.
    ASSERT_GT(TicksUntil([&] { return Title(skTitle2).Enabled(); }, 5000), 0);
    EXPECT_EQ(Title(skTitle1).Frame(), Title(skTitle1).FrameCount() - 1);
    EXPECT_FALSE(Title(skTitle3).Enabled());
    ASSERT_GT(TicksUntil([&] { return Title(skTitle3).Enabled(); }, 5000), 0);
    EXPECT_EQ(Round().GameState(), gsAttract);
    ASSERT_GT(TicksUntil([&] { return Round().GameState() == gsAttractWaiting; }, 5000), 0);
    EXPECT_EQ(Round().Countdown(), 1000);

    Run("tick 1000");
    EXPECT_EQ(Round().GameState(), gsAttractWaiting);
    Run("tick 1");
    EXPECT_EQ(Round().GameState(), gsDemo);
    EXPECT_TRUE(Round().DemoMode());
}

TEST_F(WindowFixture, StopGameReturnsToTheAttractScreenExceptDuringGameOver)
{
    Start();
    Run("new\ntick 3");
    mForm->StopGameClick();
    EXPECT_EQ(Round().GameState(), gsAttract);
    EXPECT_TRUE(mForm->PlayBox().isHidden());
    EXPECT_FALSE(mForm->AttractBox().isHidden());

    Run("new\ntick 3");
    Round().GameOver();
    mForm->StopGameClick();
    EXPECT_EQ(Round().GameState(), gsGameOver);
    EXPECT_FALSE(mForm->PlayBox().isHidden());
    EXPECT_EQ(Round().Countdown(), 50);
}

// --- scrolling text ------------------------------------------------------

TEST_F(WindowFixture, WithoutResultsTheTextIsTheGreetingsAndOneStarLine)
{
    Start();
    const TLanguage &language = mForm->Language1();
    EXPECT_EQ(mForm->Attract().ScrollTexts(),
              (QStringList{"", language.LookupMessage("ScollText1"),
                           language.LookupMessage("ScollText2"),
                           language.LookupMessage("ScollText3"), "", "", "* * * * *"}));
}

TEST_F(WindowFixture, LinesRiseTwoPixelsATickAndTheNextFollowsOneHeightBelow)
{
    Start();
    const TSpriteList &lines = mForm->Attract().ScrollLines();
    ASSERT_EQ(lines.Count(), 1);
    const TSprite &first = *lines.Items(0);
    const int start = Round().ClientHeight() / 100 * 90;
    const int height = first.Height();
    EXPECT_EQ(first.Top(), start);
    EXPECT_GT(height, 10);

    Run("tick 1");
    EXPECT_EQ(first.Top(), start - 2);
    const int ticks = TicksUntil([&] { return EnabledCount(lines) == 2; }, 1000);
    ASSERT_GT(ticks, 0);
    // The next line starts as soon as the first has risen more than its height.
    EXPECT_EQ(1 + ticks, height / 2 + 1);
    const TSprite &second = *lines.Items(1);
    EXPECT_EQ(second.Top(), start);
    const int gap = second.Top() - (first.Top() + height);
    EXPECT_GE(gap, 1);
    EXPECT_LE(gap, 2);

    // A line vanishes when its top passes 10 % of the height.
    ASSERT_GT(TicksUntil([&] { return !first.Enabled(); }, 5000), 0);
    EXPECT_LT(first.Top(), Round().ClientHeight() / 100 * 10);
    EXPECT_GE(first.Top(), Round().ClientHeight() / 100 * 10 - 2);
}

// --- demo ----------------------------------------------------------------

TEST_F(WindowFixture, DemoCycleRepeatsExactlyWithTheSameSeed)
{
    // Attract screen, demo, game over, attract screen again.
    auto runCycle = [this] {
        Start();
        Run("seed 11");
        QList<std::uint32_t> states{Round().GameState()};
        for (int tick = 0; tick < 60000 && states.size() < 6; ++tick) {
            Run("tick 1");
            if (Round().GameState() != states.last())
                states << Round().GameState();
        }
        return states;
    };
    const QList<std::uint32_t> states = runCycle();
    EXPECT_EQ(states, (QList<std::uint32_t>{gsAttract, gsAttractWaiting, gsDemo, gsGameOver,
                                            gsAttract, gsAttractWaiting}));
    const QString first = mTraceText;
    mTraceText.clear();
    mRunner.reset();
    mForm.reset();
    runCycle();
    EXPECT_TRUE(mTraceText == first) << "the two runs went apart";
}

class DemoSteeringTest : public WindowFixture
{
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        Start();
        Run("seed 2\ndemo");
        ASSERT_GT(TicksUntil([&] { return !Round().CanonEntering(); }, 100), 0);
        for (int i = 0; i < Round().Bombs().Count(); ++i)
            Round().Bombs().Items(i)->SetEnabled(false);
        mStep = Round().GamePar().CanonStep();
    }

    // Leaves one ship at `left`; the cannon goes to `canonLeft`.
    void Arrange(int shipLeft, int canonLeft)
    {
        for (int i = 0; i < Round().Ships().Count(); ++i)
            Round().Ships().Items(i)->SetEnabled(i == 0);
        TSprite &ship = *Round().Ships().Items(0);
        if (ship.State() != 0)
            ship.SetState(0);
        ship.SetLeft(shipLeft);
        Round().Canon().SetLeft(canonLeft);
    }

    void DropBombAt(int left)
    {
        TSprite &bomb = *Round().Bombs().Items(0);
        bomb.SetEnabled(true);
        bomb.SetLeft(left);
        bomb.SetTop(Round().Canon().Top() - Round().GamePar().BombStep());
    }

    int Steer()
    {
        TDemoPlayer demo(Round());
        demo.DemoControl();
        return Round().CanonDX();
    }

    int mStep = 0;
};

TEST_F(DemoSteeringTest, WithNoShipLeftTheCannonHeadsRight)
{
    for (int i = 0; i < Round().Ships().Count(); ++i)
        Round().Ships().Items(i)->SetEnabled(false);
    for (int run = 0; run < 20; ++run) {
        Round().SetCanonDX(-mStep);
        EXPECT_EQ(Steer(), mStep);
    }
}

TEST_F(DemoSteeringTest, CannonHeadsForTheFormation)
{
    Arrange(20, 400);
    EXPECT_EQ(Steer(), -mStep);
    Arrange(400, 20);
    EXPECT_EQ(Steer(), mStep);
}

TEST_F(DemoSteeringTest, BombAboveOrLeftSendsTheCannonRight)
{
    Arrange(20, 400);
    DropBombAt(Round().Canon().Left() + 2);
    EXPECT_EQ(Steer(), mStep);

    Arrange(20, 400);
    DropBombAt(Round().Canon().Left() - mStep);
    EXPECT_EQ(Steer(), mStep);
}

TEST_F(DemoSteeringTest, BombOneStepBeyondTheRightEdgeSendsTheCannonLeft)
{
    const TSprite &bomb = *Round().Bombs().Items(0);
    Arrange(400, 20);
    const int right = Round().Canon().Left() + Round().Canon().Width();
    DropBombAt(right + mStep);
    EXPECT_EQ(Steer(), -mStep);

    // The strip right beside the cannon is not watched.
    Arrange(400, 20);
    if (bomb.Width() > mStep)
        GTEST_SKIP() << "this design's bomb is wider than a cannon step";
    DropBombAt(right);
    EXPECT_EQ(Steer(), mStep);
}
