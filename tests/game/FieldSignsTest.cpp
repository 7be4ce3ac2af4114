#include "WindowFixture.h"

#include "game/FieldSigns.h"
#include "play/TickResult.h"

#include <QKeyEvent>
#include <QLabel>
#include <QTest>

namespace {

QLabel *Shown(QWidget &area, const char *name)
{
    auto *label = area.findChild<QLabel *>(QString::fromLatin1(name));
    return label && label->isVisible() ? label : nullptr;
}

} // namespace

class StartKeyFixture : public WindowFixture
{
protected:
    bool InGame() { return Cycle().GameState() == gsPlaying; }
};

TEST(FieldSigns, AClearedLevelShowsTheNextWaveForAMomentAndTheDemoHowToPlay)
{
    QWidget area;
    area.resize(400, 300);
    area.show();
    TFieldSigns signs(area, [](const QString &key) {
        return key == QLatin1String("Wave") ? QStringLiteral("Wave %1") : key;
    });
    const QRect field(0, 0, 400, 300);
    TTickResult started;
    started.GameStarted = true;
    signs.Follow(started, false, field);
    TTickResult cleared;
    cleared.LevelCleared = true;
    signs.Follow(cleared, false, field);
    ASSERT_NE(Shown(area, "WaveLabel"), nullptr);
    EXPECT_EQ(Shown(area, "WaveLabel")->text(), QStringLiteral("Wave 2"));
    signs.Follow(cleared, false, field);
    EXPECT_EQ(Shown(area, "WaveLabel")->text(), QStringLiteral("Wave 3"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Shown(area, "WaveLabel"); },
                                TFieldSigns::WaveShownMs + 1000));

    signs.Follow({}, true, field);
    EXPECT_NE(Shown(area, "DemoLabel"), nullptr);
    signs.Follow(started, false, field);
    EXPECT_EQ(Shown(area, "DemoLabel"), nullptr);
    EXPECT_EQ(Shown(area, "WaveLabel"), nullptr);
}

TEST_F(StartKeyFixture, SpaceOrEnterStartsAGameFromTheAttractScreenButNotTheEnterThatClosedADialog)
{
    Open();
    ASSERT_FALSE(InGame());
    // What reaches the window after a dialog took the press: its release, and repeats.
    QTest::keyRelease(mForm.get(), Qt::Key_Return);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
    QCoreApplication::sendEvent(mForm.get(), &repeat);
    EXPECT_FALSE(InGame());

    QTest::keyPress(mForm.get(), Qt::Key_Space);
    EXPECT_TRUE(InGame());
    QTest::keyRelease(mForm.get(), Qt::Key_Space);
    Run("stop");
    QTest::keyClick(mForm.get(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(InGame());
}
