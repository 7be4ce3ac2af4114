#include "PlayFixture.h"

TEST_F(PlayFixture, TitlePicturesFollowEachOtherThenADemoStartsAfter1001Ticks)
{
    Start();
    EXPECT_EQ(Cycle().GameState(), gsAttract);
    EXPECT_TRUE(Title(skTitle1).Enabled());
    EXPECT_FALSE(Title(skTitle2).Enabled());
    EXPECT_FALSE(Title(skTitle3).Enabled());
    ASSERT_GT(Title(skTitle1).FrameCount(), 1) << "the shipped title must animate";

    // Picture 11 appears in the tick in which picture 10 shows its last frame.
    ASSERT_GT(TicksUntil([&] { return Title(skTitle2).Enabled(); }, 5000), 0);
    EXPECT_EQ(Title(skTitle1).Frame(), Title(skTitle1).FrameCount() - 1);
    EXPECT_FALSE(Title(skTitle3).Enabled());
    ASSERT_GT(TicksUntil([&] { return Title(skTitle3).Enabled(); }, 5000), 0);
    EXPECT_EQ(Cycle().GameState(), gsAttract);
    ASSERT_GT(TicksUntil([&] { return Cycle().GameState() == gsAttractWaiting; }, 5000), 0);
    EXPECT_EQ(Cycle().Countdown(), 1000);

    Run("tick 1000");
    EXPECT_EQ(Cycle().GameState(), gsAttractWaiting);
    Run("tick 1");
    EXPECT_EQ(Cycle().GameState(), gsDemo);
    EXPECT_TRUE(Round().DemoMode());
}

TEST_F(PlayFixture, WithoutResultsTheTextIsTheGreetingsAndOneStarLine)
{
    Start();
    EXPECT_EQ(mCycle->Attract().ScrollTexts(),
              (QStringList{"", Lookup("ScollText1"),
                           Lookup("ScollText2"),
                           Lookup("ScollText3"), "", "", "* * * * *"}));
}

TEST_F(PlayFixture, LinesRiseTwoPixelsATickAndTheNextFollowsOneHeightBelow)
{
    Start();
    const TSpriteList &lines = mCycle->Attract().ScrollLines();
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


TEST_F(PlayFixture, DemoCycleRepeatsExactlyWithTheSameSeed)
{
    // Attract screen, demo, game over, attract screen again.
    auto runCycle = [this] {
        Start();
        Run("seed 11");
        QList<std::uint32_t> states{Cycle().GameState()};
        for (int tick = 0; tick < 60000 && states.size() < 6; ++tick) {
            Run("tick 1");
            if (Cycle().GameState() != states.last())
                states << Cycle().GameState();
        }
        return states;
    };
    const QList<std::uint32_t> states = runCycle();
    EXPECT_EQ(states, (QList<std::uint32_t>{gsAttract, gsAttractWaiting, gsDemo, gsGameOver,
                                            gsAttract, gsAttractWaiting}));
    const QString first = mTraceText;
    mTraceText.clear();
    mCycle.reset();
    runCycle();
    EXPECT_TRUE(mTraceText == first) << "the two runs went apart";
}
