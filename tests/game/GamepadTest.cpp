#include "WindowFixture.h"

#include "pads/ControllerSource.h"
#include "pads/Gamepad.h"
#include "pads/PadMapping.h"
#include "play/KeyState.h"

#include <QKeyEvent>
#include <QTest>

namespace {

// A pad the test holds by hand.
class FakeControllerSource : public TControllerSource
{
public:
    void Poll() override {}
    TPadState State() const override { return Pad; }
    TPadPresses TakePresses() override { return std::exchange(Presses, TPadPresses{}); }
    bool AnyOpen() const override { return Open; }

    bool Open = true;
    TPadState Pad;
    TPadPresses Presses;
};

struct Held {
    bool Left, Right, Fire;
    bool operator==(const Held &) const = default;
};

Held Apply(FakeControllerSource &pad, TKeyState &keys)
{
    TPadMapping().Apply(pad, keys);
    return {keys.IsHeld(TGameKey::Left), keys.IsHeld(TGameKey::Right), keys.IsHeld(TGameKey::Space)};
}

} // namespace

TEST(PadMappingTest, StickBeyondTheDeadZoneOrDpadSteersAndTheSouthButtonFires)
{
    FakeControllerSource pad;
    TKeyState keys;
    pad.Pad.StickX = -TPadMapping::DeadZone;
    EXPECT_EQ(Apply(pad, keys), (Held{false, false, false}));
    pad.Pad.StickX = -TPadMapping::DeadZone - 1;
    EXPECT_EQ(Apply(pad, keys), (Held{true, false, false}));
    pad.Pad.StickX = 32767;
    EXPECT_EQ(Apply(pad, keys), (Held{false, true, false}));
    pad.Pad = {.DpadLeft = true, .South = true};
    EXPECT_EQ(Apply(pad, keys), (Held{true, false, true}));

    // Pulling the pad out leaves nothing held.
    pad.Pad = {};
    EXPECT_EQ(Apply(pad, keys), (Held{false, false, false}));
}

TEST(PadMappingTest, KeysAndPadHoldTogetherAndStartBackAreCommandsOnce)
{
    FakeControllerSource pad;
    TKeyState keys;
    keys.HandleKeyEvent(QKeyEvent(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier));
    pad.Pad.South = true;
    EXPECT_EQ(Apply(pad, keys), (Held{true, false, true}));
    // The pad letting go does not release the key, nor the other way round.
    pad.Pad = {.DpadLeft = true};
    EXPECT_EQ(Apply(pad, keys), (Held{true, false, false}));
    keys.HandleKeyEvent(QKeyEvent(QEvent::KeyRelease, Qt::Key_Left, Qt::NoModifier));
    EXPECT_TRUE(keys.IsHeld(TGameKey::Left));
    pad.Pad = {};
    EXPECT_EQ(Apply(pad, keys), (Held{false, false, false}));

    pad.Presses.Start = true;
    TPadCommands commands = TPadMapping().Apply(pad, keys);
    EXPECT_TRUE(commands.NewGame && commands.Pressed && !commands.StopGame);
    pad.Presses.Back = true;
    commands = TPadMapping().Apply(pad, keys);
    EXPECT_TRUE(commands.StopGame && !commands.NewGame);
    EXPECT_FALSE(TPadMapping().Apply(pad, keys).Pressed);
}

TEST_F(WindowFixture, PadStartBeginsAGameAndBackStopsItOnlyInTheActiveWindow)
{
    Open();
    auto source = std::make_unique<FakeControllerSource>();
    FakeControllerSource &pad = *source;
    TGamepad gamepad(*mForm, Keys(), std::move(source),
                     {.NewGame = [this] { mForm->NewGameClick(); },
                      .StopGame = [this] { mForm->StopGameClick(); }});
    mForm->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(mForm.get()));

    pad.Presses.Start = true;
    gamepad.Poll();
    EXPECT_EQ(Cycle().GameState(), gsPlaying);
    pad.Presses.Back = true;
    gamepad.Poll();
    EXPECT_NE(Cycle().GameState(), gsPlaying);

    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    pad.Presses.Start = true;
    gamepad.Poll();
    EXPECT_NE(Cycle().GameState(), gsPlaying);
}

// An idle machine used to wake sixty times a second to poll no pad at all.
TEST(GamepadPolling, OftenOnlyWhileAPadIsPluggedIn)
{
    QWidget window;
    TKeyState keys;
    auto source = std::make_unique<FakeControllerSource>();
    FakeControllerSource &pad = *source;
    pad.Open = false;
    TGamepad gamepad(window, keys, std::move(source), {});
    gamepad.Poll();
    EXPECT_EQ(gamepad.PollInterval(), TGamepad::IdleInterval);
    pad.Open = true;
    gamepad.Poll();
    EXPECT_EQ(gamepad.PollInterval(), TGamepad::ActiveInterval);
}
