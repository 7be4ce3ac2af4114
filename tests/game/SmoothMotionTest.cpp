#include "GameFixture.h"

#include "design/GamePar.h"
#include "game/FramePump.h"
#include "sprites/Sprite.h"
#include "sprites/ui/SpriteBox.h"

#include <QAction>
#include <QMenuBar>
#include <QTimer>

TEST_F(GameFixture, FormationGlidesWhileANewLevelAndANewCannonJump)
{
    Start();
    Run("seed 5\nnew\ntick 2");
    const TSprite &ship = *Round().Sprites().Ships().Items(0);
    const int halfStep = Round().GamePar().ShipStepX() / 2;
    EXPECT_EQ(ship.PlaceAt(0.5), QPoint(ship.Left() - halfStep, ship.Top()));

    // The fresh formation stands one step back from the old one: still a jump.
    Round().NewLevel();
    Round().NextCanon();
    Run("tick 1");
    for (int i = 0; i < Round().Sprites().Ships().Count(); ++i) {
        const TSprite &each = *Round().Sprites().Ships().Items(i);
        EXPECT_EQ(each.PlaceAt(0.25), QPoint(each.Left(), each.Top())) << "ship " << i;
    }
    EXPECT_EQ(Round().Sprites().Canon().PlaceAt(0.25), QPoint(Round().Sprites().Canon().Left(), Round().Sprites().Canon().Top()));
}

TEST_F(GameFixture, SmoothMotionIsAViewItemStoredInTheSettingsAndNeverPumpsAScriptedRun)
{
    Start();
    QStringList menus;
    for (const QAction *menu : mForm->menuBar()->actions())
        menus << menu->objectName();
    EXPECT_EQ(menus, QStringList({"Game1", "Design1", "View1", "Help1"}));
    EXPECT_TRUE(SmoothMotion1().isChecked());
    EXPECT_FALSE(FramePump().Enabled());
    SmoothMotion1().trigger();
    EXPECT_EQ(Settings().Value(QStringLiteral("SmoothMotion")), QStringLiteral("0"));
    EXPECT_FALSE(PlayBox().Smooth());
}

TEST(FramePump, StandingTickTimerHoldsTheFieldAtTheEndOfTheTick)
{
    QTimer tick;
    tick.setInterval(60000);
    TFramePump pump(tick, {});
    pump.TickStarted();
    EXPECT_EQ(pump.Fraction(), 1.0);
    tick.start();
    pump.TickStarted();
    EXPECT_LT(pump.Fraction(), 1.0);
}

// A paused game used to wake the machine sixty times a second to draw
// the same frame again.
TEST(FramePump, FramesStopWhileTheFieldHoldsAndResumeWithTheNextTick)
{
    QTimer tick;
    tick.setInterval(60000);
    TFramePump pump(tick, {});
    pump.SetEnabled(true);
    EXPECT_TRUE(pump.Running());
    pump.Frame(); // the tick timer stands: the end of the tick is shown
    EXPECT_FALSE(pump.Running());
    tick.start();
    pump.TickStarted();
    EXPECT_TRUE(pump.Running());
    pump.SetEnabled(false);
    pump.TickStarted();
    EXPECT_FALSE(pump.Running());
}
