#include "WindowFixture.h"

#include "base/ErrorReport.h"
#include "base/QuitOnSignal.h"
#include "design/GamePar.h"
#include "game/dialogs/HelpWindow.h"
#include "app/ModalDialogs.h"
#include "game/dialogs/ScoreDialog.h"
#include "lang/ui/Language.h"
#include "lang/ui/SelLanguageDialog.h"
#include "sound/SoundMixer.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QDialog>
#include <QMessageBox>
#include <QTest>
#include <QTextBrowser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <csignal>
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

// A second copy used to ask for the language again: the first wrote its
// settings only at exit.
TEST_F(WindowFixture, ThePlayersChoicesReachTheFileWhenMadeNotOnlyAtExit)
{
    mSettingsDir.Write("snapstorm.ini", "Language=english.lng\n");
    Open();
    Command(*mForm, "Sound1")->trigger();
    Command(*mForm, "SmoothMotion1")->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return SettingsFile() == "Language=english.lng\nSound=0\nSmoothMotion=0\n"; }, 5000))
        << SettingsFile().toStdString();
    EXPECT_TRUE(mForm->isVisible());
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
        EXPECT_EQ(Sound1().isChecked(), c.checked);
        mRunner.reset();
        mForm.reset();
    }
}

TEST_F(WindowFixture, ChoosingDefaultRemovesTheDesignLineAtTheNextWrite)
{
    MakeDesign("Alpha", {{"!design.ini", ""}});
    mSettingsDir.Write("snapstorm.ini", "Design=Alpha\nKeep=me\n");
    Open();
    ASSERT_EQ(GamePar().DesignName(), "Alpha");
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
    Cycle().GameOver();
    Run("tick 51\ntick 5");
    mForm->close();
    ErrorReport::SetHandler(nullptr);
    // Said once, not at each of the two writes.
    EXPECT_EQ(shown.size(), 1) << shown.join('\n').toStdString();
    EXPECT_EQ(Settings().Value("LastScore"), "000000000070;Alice;Default");
    EXPECT_FALSE(Session().WriteSettings());
}

TEST_F(WindowFixture, ClosingASecondCopyKeepsTheScoreTheFirstCopyEntered)
{
    auto other = std::make_unique<TMainForm>(TMainFormOptions{mSettingsPath, true, nullptr, mRoot.Path()});
    other->show();
    Open();
    Run("name Alice\nnew\ntick 3");
    Round().SetScore(70);
    Cycle().GameOver();
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
    EXPECT_EQ(GamePar().DesignName(), "Default");
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
    ASSERT_TRUE(Timer1().isActive());
    Pause1().trigger();
    EXPECT_TRUE(Pause1().isChecked());
    EXPECT_FALSE(Timer1().isActive());
    Pause1().trigger();
    EXPECT_FALSE(Pause1().isChecked());
    EXPECT_TRUE(Timer1().isActive());
}

TEST_F(WindowFixture, MinimiseStopsTheTimerAndRestoreStartsItUnlessPaused)
{
    Open();
    mForm->setWindowState(Qt::WindowMinimized);
    EXPECT_FALSE(Timer1().isActive());
    mForm->setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(Timer1().isActive());

    Pause1().trigger();
    mForm->setWindowState(Qt::WindowMinimized);
    mForm->setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(Pause1().isChecked());
    EXPECT_FALSE(Timer1().isActive());
}

TEST_F(WindowFixture, HelpShowsTheLanguagesHelpFileInItsWindowAndLinksGoToTheDesktop)
{
    FakeDesktop desktop;
    desktop.Succeeds = false;
    // The program's folder is the scratch folder here.
    mForm = std::make_unique<TMainForm>(
        TMainFormOptions{mSettingsPath, true, &desktop, mRoot.Path(), false, mSettingsDir.Path()});
    mForm->show();
    const QString language = mSettingsDir.Write(
        "test.lng", "[Messages]\nHelpFile=guide-en.html\nHelpTitle=Guide\nLinkNotOpened=No browser\n");
    mSettingsDir.Write("guide-en.html", "<p>Help <a href='more.html'>more</a> <a href='https://example.org/x'>web</a></p>");
    mSettingsDir.Write("more.html", "<p>More help</p>");
    Language1().SetLanguageFile(language);
    QAction *index1 = Command(*mForm, "Index1");
    ASSERT_NE(index1, nullptr);
    EXPECT_EQ(index1->shortcut(), QKeySequence(Qt::Key_F1));
    index1->trigger();
    // Shown by the game itself, never left to a program that may not exist.
    EXPECT_TRUE(desktop.Opened.isEmpty());
    auto *help = mForm->findChild<THelpWindow *>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->windowTitle(), "Guide");
    EXPECT_TRUE(help->Browser()->toPlainText().startsWith("Help"));

    // A page of the help opens in the window, a web address on the desktop;
    // when nothing takes it, the address is shown to copy.
    Q_EMIT help->Browser()->anchorClicked(QUrl("more.html"));
    EXPECT_TRUE(help->Browser()->toPlainText().contains("More help"));
    Q_EMIT help->Browser()->anchorClicked(QUrl("https://example.org/x"));
    EXPECT_EQ(desktop.Opened, QStringList{"https://example.org/x"});
    auto *notice = help->findChild<QDialog *>("PathNotice");
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->findChild<QLineEdit *>("PathEdit")->text(), "https://example.org/x");
    notice->findChild<QPushButton *>("CopyButton")->click();
    EXPECT_EQ(QApplication::clipboard()->text(), "https://example.org/x");
}

// --- the error boundary of the timer tick --------------------------------

TEST_F(WindowFixture, ErrorInsideATickStopsTheTimerAndIsReported)
{
    EndAGameWith30Points();
    // The name entry runs inside the tick that ends the game-over display.
    mForm->ScoreDialog().SetAnswerHook(
        [](TScoreDialog &) -> std::optional<QString> { throw std::runtime_error("dialog broke"); });
    QStringList shown;
    ErrorReport::SetHandler([&](const QString &message) { shown << message; });
    ASSERT_TRUE(Timer1().isActive());
    ProcessEventsUntil([&] { return !shown.isEmpty(); });
    ErrorReport::SetHandler(nullptr);

    EXPECT_EQ(shown, QStringList{"dialog broke"});
    EXPECT_FALSE(Timer1().isActive());
    // The menu still works, and pausing twice brings the timer back.
    Pause1().trigger();
    Pause1().trigger();
    EXPECT_TRUE(Timer1().isActive());
}

TEST_F(WindowFixture, AttractScreenKeepsTickingBehindTheNameEntry)
{
    EndAGameWith30Points();
    int ticksBehind = -1;
    mForm->ScoreDialog().SetAnswerHook([&](TScoreDialog &) -> std::optional<QString> {
        int ticks = 0;
        const auto counter = QObject::connect(&Timer1(), &QTimer::timeout, [&] { ++ticks; });
        ProcessEventsUntil([&] { return ticks >= 3; });
        QObject::disconnect(counter);
        ticksBehind = ticks;
        EXPECT_EQ(Cycle().GameState(), gsAttract);
        return QStringLiteral("Alice");
    });
    ProcessEventsUntil([&] { return ticksBehind >= 0; });
    EXPECT_GE(ticksBehind, 3);
    EXPECT_EQ(Settings().Value("LastScore"), "000000000030;Alice;Default");
}

// --- start-up and signals --------------------------------------------------

TEST_F(WindowFixture, MissingDefaultDesignIsReportedOnceByWhoeverStartsTheWindow)
{
    QDir(mRoot.File("Default")).removeRecursively();
    for (const QByteArray settings : {"", "Design=Elsewhere\n"}) {
        mSettingsDir.Write("snapstorm.ini", settings);
        QStringList shown;
        ErrorReport::SetHandler([&](const QString &message) { shown << message; });
        EXPECT_THROW(Start(), std::exception);
        ErrorReport::SetHandler(nullptr);
        EXPECT_TRUE(shown.isEmpty()) << shown.join('\n').toStdString();
    }
}

TEST_F(WindowFixture, FirstStartQuestionOffersTheDesktopsLanguageAndASignalEndsIt)
{
    TempDir program;
    for (const char *file : {"english.lng", "deutsch.lng"})
        program.Write(file, "[Messages]\n");
    const bool wasSet = qEnvironmentVariableIsSet("LC_ALL");
    const QByteArray saved = qgetenv("LC_ALL");
    const QByteArray savedList = qgetenv("LANGUAGE");
    qputenv("LC_ALL", "de_DE.UTF-8");
    qunsetenv("LANGUAGE");
    TQuitOnSignal quitOnSignal;
    QObject::connect(&quitOnSignal, &TQuitOnSignal::Received, &RejectModalDialogs);
    QString offered = QStringLiteral("<not asked>");
    QTimer::singleShot(100, [&] {
        if (auto *dialog = qobject_cast<TSelLanguageDialog *>(QApplication::activeModalWidget()))
            offered = dialog->SelectedLanguage();
        ::raise(SIGTERM);
    });
    // Never wait for ever when the signal is lost.
    bool forcedClose = false;
    QTimer::singleShot(3000, [&] {
        forcedClose = QApplication::activeModalWidget() != nullptr;
        RejectModalDialogs();
    });
    mForm = std::make_unique<TMainForm>(
        TMainFormOptions{mSettingsPath, false, nullptr, mRoot.Path(), false, program.Path()});
    mForm->show();
    wasSet ? qputenv("LC_ALL", saved) : qunsetenv("LC_ALL");
    if (!savedList.isNull())
        qputenv("LANGUAGE", savedList);
    EXPECT_EQ(offered, "deutsch");
    EXPECT_FALSE(forcedClose);
    EXPECT_TRUE(quitOnSignal.Requested());
    mForm.reset();
    EXPECT_TRUE(QFileInfo::exists(mSettingsPath));
}

// --- language and help -----------------------------------------------------

TEST_F(WindowFixture, StoredLanguageInOtherCaseTranslatesAndHelpStaysBesideTheProgram)
{
    TempDir program;
    const QByteArray german = "[Translations]\nMainForm.Game1.Caption=&Spiel\n"
                              "MainForm.Help1.Caption=&Hilfe\n[Messages]\n";
    program.Write("deutsch.lng", german + "HelpFile=Hilfe.HTML\n");
    program.Write("hilfe.html", "<p>How to play</p>");
    mSettingsDir.Write("snapstorm.ini", "Language=DEUTSCH.LNG\n");
    FakeDesktop desktop;
    mForm = std::make_unique<TMainForm>(
        TMainFormOptions{mSettingsPath, true, &desktop, mRoot.Path(), false, program.Path()});
    mForm->FormShow();
    EXPECT_EQ(Command(*mForm, "Game1")->text(), "&Spiel");
    EXPECT_EQ(Command(*mForm, "Help1")->text(), "&Hilfe");
    Command(*mForm, "Index1")->trigger();
    auto *help = mForm->findChild<THelpWindow *>();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->Browser()->source(), QUrl::fromLocalFile(program.File("hilfe.html")));

    program.Write("deutsch.lng", german + "HelpFile=../../../../etc/passwd\n");
    QStringList shown;
    ErrorReport::SetHandler([&](const QString &message) { shown << message; });
    Command(*mForm, "Index1")->trigger();
    ErrorReport::SetHandler(nullptr);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.first().contains("passwd")) << shown.first().toStdString();
    EXPECT_EQ(help->Browser()->source(), QUrl::fromLocalFile(program.File("hilfe.html")));
    EXPECT_TRUE(help->Browser()->toPlainText().contains("How to play"));
}

TEST(ModalDialogs, ADialogThatAsksBeforeClosingStillClosesWhenTheProgramStops)
{
    // Like the design editor with unsaved changes: its reject() asks a
    // question, and a cancelled question keeps it open.
    struct TAskingDialog : QDialog {
        int Asked = 0;
        void reject() override
        {
            ++Asked;
            QMessageBox question(QMessageBox::Question, "Snapstorm", "Save changes?",
                                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
            QTimer::singleShot(0, &RejectModalDialogs);
            if (question.exec() != QMessageBox::Cancel)
                QDialog::reject();
        }
    } dialog;
    QTimer::singleShot(0, &dialog, [&] { dialog.reject(); });
    QTimer::singleShot(3000, &dialog, [&] { dialog.done(42); });  // never hang the suite
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_EQ(dialog.Asked, 1);
}

TEST_F(WindowFixture, AStoredDesignWhoseSoundFailsLeavesDefaultWithOneMessageOnceTheFieldIsDrawn)
{
    MakeDesign("Broken", {{"!design.ini", ""}, {"Sound1.wav", "not a wave"}});
    mSettingsDir.Write("snapstorm.ini", "Language=deutsch.lng\nDesign=Broken\n");
    QStringList shown;
    ErrorReport::SetHandler([&](const QString &message) { shown << message; });
    mForm = std::make_unique<TMainForm>(
        TMainFormOptions{mSettingsPath, false, nullptr, mRoot.Path(), false, SNAPSTORM_BIN_DIR});
    // Refused before anything shows, though the sound output still waits.
    EXPECT_EQ(GamePar().DesignName(), "Default");
    EXPECT_EQ(mForm->findChild<TSoundMixer *>(QStringLiteral("Mixer")), nullptr);
    EXPECT_TRUE(shown.isEmpty());
    mForm->show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return mForm->findChild<TSoundMixer *>(QStringLiteral("Mixer")); }, 5000));
    QTest::qWait(300); // the attract screen runs on; nothing more is said
    ErrorReport::SetHandler(nullptr);
    EXPECT_EQ(GamePar().DesignName(), "Default");
    ASSERT_EQ(shown.size(), 1) << shown.join('\n').toStdString();
    EXPECT_TRUE(shown[0].startsWith(QString("Das Design „Broken“ kann nicht verwendet werden. Sein Klang „%1“")
                                        .arg(QDir::toNativeSeparators(mRoot.File("Broken/Sound1.wav")))))
        << shown[0].toStdString();
}

TEST_F(WindowFixture, StopGameReturnsToTheAttractScreenExceptDuringGameOver)
{
    Start();
    Run("new\ntick 3");
    mForm->StopGameClick();
    EXPECT_EQ(Cycle().GameState(), gsAttract);
    EXPECT_TRUE(PlayBox().isHidden());
    EXPECT_FALSE(AttractBox().isHidden());

    Run("new\ntick 3");
    Cycle().GameOver();
    mForm->StopGameClick();
    EXPECT_EQ(Cycle().GameState(), gsGameOver);
    EXPECT_FALSE(PlayBox().isHidden());
    EXPECT_EQ(Cycle().Countdown(), 50);
}
