#include "PlayFixture.h"

#include <algorithm>

TEST_F(PlayFixture, TicksReportTheCuesTheGamesEndAndTheNameEntryInsteadOfCallingTheWindow)
{
    Start();
    EXPECT_EQ(mEvents.back().Cues, std::vector<TCue>{TCue::Attract});
    Run("seed 1\nnew");
    EXPECT_TRUE(mEvents.back().GameStarted);
    EXPECT_TRUE(mCycle->PlayField().Shown());
    EXPECT_FALSE(mCycle->AttractField().Shown());

    Run("tick 5");
    Round().SetScore(70);
    Cycle().GameOver();
    Run("tick 1");
    const TTickResult ended = mEvents.back();
    EXPECT_EQ(ended.GameEnded, 70);
    EXPECT_NE(std::find(ended.Cues.begin(), ended.Cues.end(), TCue::GameOver), ended.Cues.end());
    EXPECT_FALSE(ended.HighScoreEntry);

    // The name entry comes with the tick that ends the game-over wait.
    Run("tick 50");
    EXPECT_EQ(mEvents.back().HighScoreEntry, 70);
    EXPECT_EQ(mEvents.back().Cues.back(), TCue::Attract);
    EXPECT_TRUE(mCycle->AttractField().Shown());
    EXPECT_FALSE(mCycle->PlayField().Shown());
}

TEST_F(PlayFixture, ADemoEndsWithoutANameEntry)
{
    Start();
    Run("seed 1\ndemo\ntick 5");
    Cycle().GameOver();
    Run("tick 51");
    EXPECT_TRUE(std::none_of(mEvents.begin(), mEvents.end(),
                             [](const TTickResult &r) { return r.HighScoreEntry.has_value(); }));
    EXPECT_EQ(Cycle().GameState(), gsAttract);
}
