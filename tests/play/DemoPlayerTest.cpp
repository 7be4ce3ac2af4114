#include "PlayFixture.h"

#include "play/DemoPlayer.h"

class DemoSteeringTest : public PlayFixture
{
protected:
    void SetUp() override
    {
        PlayFixture::SetUp();
        Start();
        Run("seed 2\ndemo");
        ASSERT_GT(TicksUntil([&] { return !Round().CanonEntering(); }, 100), 0);
        for (int i = 0; i < Round().Sprites().Bombs().Count(); ++i)
            Round().Sprites().Bombs().Items(i)->SetEnabled(false);
        mStep = Round().GamePar().CanonStep();
    }

    // Leaves one ship at `left`; the cannon goes to `canonLeft`.
    void Arrange(int shipLeft, int canonLeft)
    {
        for (int i = 0; i < Round().Sprites().Ships().Count(); ++i)
            Round().Sprites().Ships().Items(i)->SetEnabled(i == 0);
        TSprite &ship = *Round().Sprites().Ships().Items(0);
        if (ship.State() != 0)
            ship.SetState(0);
        ship.SetLeft(shipLeft);
        Round().Sprites().Canon().SetLeft(canonLeft);
    }

    void DropBombAt(int left)
    {
        TSprite &bomb = *Round().Sprites().Bombs().Items(0);
        bomb.SetEnabled(true);
        bomb.SetLeft(left);
        bomb.SetTop(Round().Sprites().Canon().Top() - Round().GamePar().BombStep());
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
    for (int i = 0; i < Round().Sprites().Ships().Count(); ++i)
        Round().Sprites().Ships().Items(i)->SetEnabled(false);
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
    DropBombAt(Round().Sprites().Canon().Left() + 2);
    EXPECT_EQ(Steer(), mStep);

    Arrange(20, 400);
    DropBombAt(Round().Sprites().Canon().Left() - mStep);
    EXPECT_EQ(Steer(), mStep);
}

TEST_F(DemoSteeringTest, BombOneStepBeyondTheRightEdgeSendsTheCannonLeft)
{
    const TSprite &bomb = *Round().Sprites().Bombs().Items(0);
    Arrange(400, 20);
    const int right = Round().Sprites().Canon().Left() + Round().Sprites().Canon().Width();
    DropBombAt(right + mStep);
    EXPECT_EQ(Steer(), -mStep);

    // The strip right beside the cannon is not watched.
    Arrange(400, 20);
    if (bomb.Width() > mStep)
        GTEST_SKIP() << "this design's bomb is wider than a cannon step";
    DropBombAt(right);
    EXPECT_EQ(Steer(), mStep);
}
