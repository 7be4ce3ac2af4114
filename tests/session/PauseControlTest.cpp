#include "session/PauseControl.h"

#include <gtest/gtest.h>

TEST(PauseControl, ThePlayersPauseAndAnInterruptionEachStopTheTimer)
{
    TPauseControl pause;
    EXPECT_FALSE(pause.State(true).TimerRuns) << "not before the window shows";
    pause.Start();
    EXPECT_TRUE(pause.State(true).TimerRuns);

    pause.TogglePause();
    EXPECT_FALSE(pause.State(true).TimerRuns);
    EXPECT_TRUE(pause.State(true).PauseChecked);
    EXPECT_TRUE(pause.State(true).ShowPaused);
    EXPECT_FALSE(pause.State(false).ShowPaused) << "no sign without a game";
    pause.Resume();
    EXPECT_TRUE(pause.State(true).TimerRuns);
    EXPECT_FALSE(pause.State(true).PauseChecked);

    EXPECT_FALSE(pause.Interrupt(false)) << "nothing waits without a game";
    EXPECT_TRUE(pause.Interrupt(true));
    EXPECT_FALSE(pause.Interrupt(true));
    EXPECT_FALSE(pause.State(true).TimerRuns);
    EXPECT_FALSE(pause.State(true).PauseChecked);
    pause.SetMinimised(true);
    EXPECT_TRUE(pause.PlayerReturned());
    EXPECT_FALSE(pause.State(true).TimerRuns) << "still minimised";
    pause.SetMinimised(false);
    EXPECT_TRUE(pause.State(true).TimerRuns);
}
