#include "WindowFixture.h"

#include "sprites/Sprite.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QTimer>

namespace {

QString ReadText(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly | QIODevice::Text);
    return QString::fromUtf8(file.readAll());
}

} // namespace

class PauseFixture : public WindowFixture
{
protected:
    bool PausedShown()
    {
        auto *label = mForm->findChild<QLabel *>(QStringLiteral("PausedLabel"));
        return label && label->isVisible() && label->text() == QLatin1String("Paused");
    }

    QMenu &GameMenu() { return *mForm->findChild<QAction *>(QStringLiteral("Game1"))->menu(); }
};

TEST_F(PauseFixture, ReplayTraceOfAFixedSeedIsUnchanged)
{
    Start();
    Run(ReadText(SNAPSTORM_TEST_DATA "/seed42.script").trimmed());
    mTrace.flush();
    EXPECT_EQ(mTraceText, ReadText(SNAPSTORM_TEST_DATA "/seed42.trace"));
}

TEST_F(PauseFixture, FocusLossPausesAGameUntilThePlayerPressesAKey)
{
    Open();
    mForm->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(mForm.get()));
    Run("new\ntick 2");
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_FALSE(Timer1().isActive());
    EXPECT_FALSE(Pause1().isChecked());
    EXPECT_TRUE(PausedShown());

    // Coming back, minimised and restored on the way, is not yet playing.
    mForm->setWindowState(Qt::WindowMinimized);
    mForm->setWindowState(Qt::WindowNoState);
    mForm->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(mForm.get()));
    EXPECT_FALSE(Timer1().isActive());

    // The key that resumes does nothing else.
    QTest::keyPress(mForm.get(), Qt::Key_Space);
    EXPECT_TRUE(Timer1().isActive());
    EXPECT_FALSE(Keys().IsHeld(TGameKey::Space));
    EXPECT_FALSE(PausedShown());
}

TEST_F(PauseFixture, OpenMenuPausesTheGameAndAClickResumesIt)
{
    Open();
    Run("new\ntick 2");
    Q_EMIT GameMenu().aboutToShow();
    EXPECT_FALSE(Timer1().isActive());
    EXPECT_TRUE(PausedShown());
    QTest::mouseClick(&PlayBox(), Qt::LeftButton);
    EXPECT_TRUE(Timer1().isActive());

    // The demo and the attract screen go on under a menu.
    Run("demo");
    Q_EMIT GameMenu().aboutToShow();
    EXPECT_TRUE(Timer1().isActive());
}

TEST_F(PauseFixture, PauseCommandFollowsItsCheckMarkAfterAnInterruption)
{
    Open();
    Run("new\ntick 2");
    Q_EMIT GameMenu().aboutToShow();
    // Chosen from the menu that interrupted: the game stays paused, checked.
    Pause1().trigger();
    EXPECT_TRUE(Pause1().isChecked());
    EXPECT_FALSE(Timer1().isActive());
    // Any key does not undo the player's own pause; the command does.
    QTest::keyClick(mForm.get(), Qt::Key_Left);
    EXPECT_FALSE(Timer1().isActive());
    EXPECT_TRUE(PausedShown());
    Pause1().trigger();
    EXPECT_TRUE(Timer1().isActive());
    EXPECT_FALSE(PausedShown());
}

TEST_F(PauseFixture, NewGameWhilePausedStartsItRunningAndPlaced)
{
    Start();
    Run("new\ntick 5\npause\nnew");
    const int enteringTop = Round().Sprites().Canon().Top();
    Run("tick 3");
    EXPECT_FALSE(Pause1().isChecked());
    EXPECT_TRUE(Timer1().isActive());
    EXPECT_NE(Round().Sprites().Canon().Top(), enteringTop);
}
