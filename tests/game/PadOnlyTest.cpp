#include "GameFixture.h"

#include "design/GamePar.h"
#include "lang/ui/Language.h"
#include "pads/Gamepad.h"
#include "support/VirtualPad.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <functional>

// The whole way through with SDL's virtual pad and the window's own pad
// poller: not one key is pressed.
class PadOnlyTest : public GameFixture
{
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        MakeDesign("Sea", {{"!design.ini", "BackgroundColor=16711680\r\n"}});
        mSettingsDir.Write("snapstorm.ini", "Language=english.lng\n");
        mForm = std::make_unique<TMainForm>(TMainFormOptions{
            .SettingsPath = mSettingsPath, .Unattended = false, .DesignRoot = mRoot.Path()});
        mForm->show();
        mForm->activateWindow();
        (void)QTest::qWaitForWindowActive(mForm.get());
        // The system's pads are looked for once the first frame is drawn.
        for (int i = 0; i < 100 && !(mGamepad = mForm->findChild<TGamepad *>()); ++i)
            QTest::qWait(20);
    }

    // A press and release of `button`, as the poller sees it.
    void Press(SDL_GameControllerButton button)
    {
        mPad.SetButton(button, true);
        mGamepad->Poll();
        mPad.SetButton(button, false);
        mGamepad->Poll();
    }

    // Commands go to the window in front, as after a dialog closes.
    void Activate()
    {
        // The offscreen platform has no window manager to give it back.
        QApplication::setActiveWindow(mForm.get());
        (void)QTest::qWaitForWindowActive(mForm.get());
    }

    // Runs `inside` once the modal dialog that `open` shows is up.
    void InDialog(const std::function<void()> &open, const std::function<void()> &inside)
    {
        QTimer::singleShot(0, mForm.get(), inside);
        open();
    }

    TGamepad *mGamepad = nullptr;
    VirtualPad mPad;
};

TEST_F(PadOnlyTest, StartLoseEnterANameWatchAndChooseADesign)
{
    if (!mGamepad || !mPad.Plugged())
        GTEST_SKIP() << "no pad support here: " << SDL_GetError();
    mGamepad->Poll();
    Press(SDL_CONTROLLER_BUTTON_START);
    ASSERT_EQ(Cycle().GameState(), gsPlaying);
    auto *demoSign = mForm->findChild<QLabel *>(QStringLiteral("DemoLabel"));
    EXPECT_TRUE(!demoSign || demoSign->isHidden());

    // Lost; the name entry takes three letters from the row and Start.
    Round().SetScore(120);
    Cycle().GameOver();
    Cycle().SetCountdown(0);
    InDialog([this] {
        mForm->OnTimer1();
        mForm->EnterPendingHighScore();
    }, [this] {
        for (auto button : {SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, SDL_CONTROLLER_BUTTON_A,
                            SDL_CONTROLLER_BUTTON_B, SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
                            SDL_CONTROLLER_BUTTON_A})
            Press(button);
        EXPECT_TRUE(mForm->ScoreDialog().LetterRow()->isVisible());
        EXPECT_EQ(mForm->ScoreDialog().Edit1()->text(), "ABC");
        Press(SDL_CONTROLLER_BUTTON_START);
    });
    EXPECT_EQ(Settings().Value("LastScore"), "000000000120;ABC;Default");

    // Y opens the High Scores; A watches the best game.
    Activate();
    InDialog([this] { Press(SDL_CONTROLLER_BUTTON_Y); }, [this] { Press(SDL_CONTROLLER_BUTTON_A); });
    ASSERT_TRUE(mForm->Session().Watching());
    EXPECT_EQ(mForm->findChild<QLabel *>(QStringLiteral("ReplayLabel"))->text(), "REPLAY — ABC 120");
    Activate();
    Press(SDL_CONTROLLER_BUTTON_BACK);
    EXPECT_FALSE(mForm->Session().Watching());

    // X opens the gallery; the d-pad goes on to the next design, A takes it.
    Activate();
    InDialog([this] { Press(SDL_CONTROLLER_BUTTON_X); }, [this] {
        Press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
        Press(SDL_CONTROLLER_BUTTON_A);
    });
    EXPECT_EQ(GamePar().DesignName(), "Sea");
    mForm->Demo1Click();
    auto *demo = mForm->findChild<QLabel *>(QStringLiteral("DemoLabel"));
    ASSERT_TRUE(demo);
    EXPECT_EQ(demo->text(), Language1().LookupMessage("DemoSignPad"));
}
