#include "WindowFixture.h"

#include "base/ErrorReport.h"
#include "design/GamePar.h"
#include "game/ScoreDialog.h"
#include "lang/Language.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <stdexcept>

namespace {

QAction *Command(TMainForm &form, const char *name)
{
    return form.findChild<QAction *>(QString::fromLatin1(name));
}

// Lets the real timer fire until `done` or a second has passed.
void ProcessEventsUntil(const std::function<bool()> &done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

} // namespace

// --- the settings file ---------------------------------------------------

TEST_F(WindowFixture, UnknownSettingsLinesKeepTheirPlaceWhenTheWindowWritesThem)
{
    mSettingsDir.Write("snapstorm.ini", "; my notes\n[Snapstorm]\nSound=0\nFavourite=blue\n# end\n");
    Open();
    // Sound is a known key: rewritten in its own line, not appended.
    Command(*mForm, "Sound1")->trigger();
    mForm->close();
    EXPECT_EQ(SettingsFile(), "; my notes\n[Snapstorm]\nSound=1\nFavourite=blue\n# end\n");
}

TEST_F(WindowFixture, SoundItemStartsUncheckedOnlyWithSoundZero)
{
    const struct {
        QByteArray file;
        bool checked;
    } cases[] = {{"Sound=0\n", false}, {"", true}, {"Sound=1\n", true}, {"sound=off\n", true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        mSettingsDir.Write("snapstorm.ini", c.file);
        Start();
        EXPECT_EQ(mForm->Sound1().isChecked(), c.checked);
        mRunner.reset();
        mForm.reset();
    }
}

TEST_F(WindowFixture, ChoosingDefaultRemovesTheDesignLineAtTheNextWrite)
{
    MakeDesign("Alpha", {{"!design.ini", ""}});
    mSettingsDir.Write("snapstorm.ini", "Design=Alpha\nKeep=me\n");
    Open();
    ASSERT_EQ(mForm->GamePar().DesignName(), "Alpha");
    mForm->DesignItemClick(QString());
    mForm->close();
    EXPECT_EQ(SettingsFile(), "Keep=me\n");
}

TEST_F(WindowFixture, UnwritableSettingsPathNeverStopsTheProgram)
{
    // A folder stands where the file should be: it can be neither read nor written.
    mSettingsPath = mSettingsDir.Path();
    QStringList shown;
    ErrorReport::SetHandler([&](const QString &message) { shown << message; });
    Open();
    Run("name Alice\nnew\ntick 3");
    Round().SetScore(70);
    Round().GameOver();
    Run("tick 51\ntick 5");
    mForm->close();
    ErrorReport::SetHandler(nullptr);
    // Said once, not at each of the two writes.
    EXPECT_EQ(shown.size(), 1) << shown.join('\n').toStdString();
    EXPECT_EQ(mForm->Settings().Value("LastScore"), "000000000070;Alice;Default");
    EXPECT_FALSE(mForm->WriteSettings());
}

TEST_F(WindowFixture, ClosingASecondCopyKeepsTheScoreTheFirstCopyEntered)
{
    auto other = std::make_unique<TMainForm>(TMainFormOptions{mSettingsPath, true, nullptr, mRoot.Path()});
    other->show();
    Open();
    Run("name Alice\nnew\ntick 3");
    Round().SetScore(70);
    Round().GameOver();
    Run("tick 51\ntick 5");
    mForm->close();
    other->close();
    EXPECT_TRUE(SettingsFile().contains("Score=000000000070;Alice;Default"));
}

TEST_F(WindowFixture, DesignNameWithALineBreakCannotForgeSettingsLines)
{
    const QString evil = "Evil\nScore=000999999999;Mallory;Default";
    MakeDesign(evil, {{"!design.ini", ""}});
    Open();
    EXPECT_THROW(mForm->DesignItemClick(evil), std::runtime_error);
    EXPECT_EQ(mForm->GamePar().DesignName(), "Default");
    mForm->close();
    EXPECT_FALSE(SettingsFile().contains("Mallory"));
}

TEST_F(WindowFixture, StoredHighScoreIsTheScoreShownAtStart)
{
    mSettingsDir.Write("snapstorm.ini", "HighScore=4321\n");
    Start();
    EXPECT_EQ(Round().Score(), 4321);
    mRunner.reset();
    mForm.reset();
    mSettingsDir.Write("snapstorm.ini", "HighScore=lots\n");
    Start();
    EXPECT_EQ(Round().Score(), 0);
}

// --- pause, minimise, help -----------------------------------------------

TEST_F(WindowFixture, PauseGameStopsTheTimerAndASecondPauseStartsIt)
{
    Start();
    ASSERT_TRUE(mForm->Timer1().isActive());
    mForm->Pause1().trigger();
    EXPECT_TRUE(mForm->Pause1().isChecked());
    EXPECT_FALSE(mForm->Timer1().isActive());
    mForm->Pause1().trigger();
    EXPECT_FALSE(mForm->Pause1().isChecked());
    EXPECT_TRUE(mForm->Timer1().isActive());
}

TEST_F(WindowFixture, MinimiseStopsTheTimerAndRestoreStartsItUnlessPaused)
{
    Open();
    mForm->setWindowState(Qt::WindowMinimized);
    EXPECT_FALSE(mForm->Timer1().isActive());
    mForm->setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(mForm->Timer1().isActive());

    mForm->Pause1().trigger();
    mForm->setWindowState(Qt::WindowMinimized);
    mForm->setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(mForm->Pause1().isChecked());
    EXPECT_FALSE(mForm->Timer1().isActive());
}

TEST_F(WindowFixture, HelpOpensTheLanguagesHelpFileBesideTheExecutable)
{
    FakeDesktop desktop;
    Open(&desktop);
    const QString language = mSettingsDir.Write("test.lng", "[Messages]\nHelpFile=guide-en.html\n");
    mForm->Language1().SetLanguageFile(language);
    QAction *index1 = Command(*mForm, "Index1");
    ASSERT_NE(index1, nullptr);
    EXPECT_EQ(index1->shortcut(), QKeySequence(Qt::Key_F1));
    index1->trigger();
    EXPECT_EQ(desktop.Opened, QStringList{QCoreApplication::applicationDirPath() + "/guide-en.html"});
}

// --- the error boundary of the timer tick --------------------------------

TEST_F(WindowFixture, ErrorInsideATickStopsTheTimerAndIsReported)
{
    Start();
    Run("new\ntick 3");
    Round().SetScore(30);
    Round().GameOver();
    Round().SetCountdown(0);
    // The name entry runs inside the tick that ends the game-over display.
    mForm->ScoreDialog().SetAnswerHook(
        [](TScoreDialog &) -> std::optional<QString> { throw std::runtime_error("dialog broke"); });
    QStringList shown;
    ErrorReport::SetHandler([&](const QString &message) { shown << message; });
    ASSERT_TRUE(mForm->Timer1().isActive());
    ProcessEventsUntil([&] { return !shown.isEmpty(); });
    ErrorReport::SetHandler(nullptr);

    EXPECT_EQ(shown, QStringList{"dialog broke"});
    EXPECT_FALSE(mForm->Timer1().isActive());
    // The menu still works, and pausing twice brings the timer back.
    mForm->Pause1().trigger();
    mForm->Pause1().trigger();
    EXPECT_TRUE(mForm->Timer1().isActive());
}
