#include "WindowFixture.h"

#include "base/ErrorReport.h"
#include "base/Random.h"
#include "game/dialogs/HighScoresDialog.h"
#include "lang/ui/Language.h"
#include "play/GameRecording.h"
#include "play/RoundTrace.h"
#include "session/ReplayStore.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <iterator>

namespace {

// What a player holds, changing every few ticks: moving and firing.
constexpr Qt::Key kPattern[][2] = {{Qt::Key_Left, Qt::Key_Space}, {Qt::Key_Space, Qt::Key_unknown},
                                   {Qt::Key_Right, Qt::Key_Space}, {Qt::Key_Right, Qt::Key_unknown},
                                   {Qt::Key_unknown, Qt::Key_unknown}, {Qt::Key_Left, Qt::Key_unknown}};

struct THeadlessRun {
    int ExitCode = -1;
    QString Trace;
    QString Errors;
};

THeadlessRun ReplayHeadless(const QString &game, const QString &tracePath)
{
    QProcess process;
    process.start(QStringLiteral(SNAPSTORM_BIN_DIR "/snapstorm"), {"--replay", game, "--trace", tracePath});
    process.waitForFinished(120000);
    QFile trace(tracePath);
    trace.open(QIODevice::ReadOnly);
    return {process.exitCode(), QString::fromUtf8(trace.readAll()), QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

class ReplayWindowTest : public WindowFixture
{
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        mSettingsDir.Write("snapstorm.ini", "Language=english.lng\n");
    }

    // Plays a whole game by key events sent to the window, one timer tick
    // at a time; the trace of each tick, numbered from the game's first.
    QStringList PlayByKeys()
    {
        Random::Seed(2024);
        QTest::keyClick(mForm.get(), Qt::Key_Space);
        EXPECT_EQ(Cycle().GameState(), gsPlaying);
        QStringList trace;
        QSet<int> held;
        for (int tick = 1; tick < 30000 && Cycle().GameState() != gsAttract; ++tick) {
            const auto &keys = kPattern[(tick / 9) % std::size(kPattern)];
            for (const Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Space}) {
                const bool want = keys[0] == key || keys[1] == key;
                if (want && !held.contains(key))
                    QTest::keyPress(mForm.get(), key);
                else if (!want && held.contains(key))
                    QTest::keyRelease(mForm.get(), key);
                want ? (void)held.insert(key) : (void)held.remove(key);
            }
            mForm->OnTimer1();
            // The name entry the window queues after the tick, without an
            // event loop, whose timer would add ticks of its own.
            mForm->EnterPendingHighScore();
            trace << RoundTraceLine(Cycle(), tick);
        }
        return trace;
    }

    // A game by `script` that ends with `score` and its name entry.
    void PlayScripted(const QString &script, int score)
    {
        Run(script);
        Round().SetScore(score);
        Cycle().GameOver();
        Run("tick 51");
    }

    QString KeptGame() const
    {
        const QStringList games = QDir(mSettingsDir.File("replays")).entryList(QDir::Files);
        return games.size() == 1 ? mSettingsDir.File("replays/" + games.first()) : QString();
    }

    QLabel *ReplaySign() { return mForm->findChild<QLabel *>(QStringLiteral("ReplayLabel")); }

    // Opens Game > High Scores and lets `act` answer the open dialog.
    void InHighScores(const std::function<void(THighScoresDialog &)> &act)
    {
        QTimer::singleShot(0, [act] {
            act(*qobject_cast<THighScoresDialog *>(QApplication::activeModalWidget()));
        });
        mForm->findChild<QAction *>(QStringLiteral("HighScores1"))->trigger();
    }
};

TEST_F(ReplayWindowTest, GamePlayedByKeysReplaysHeadlessToTheSameScoreAndTrace)
{
    Start();
    mForm->ScoreDialog().SetAnswerHook([](TScoreDialog &) { return QStringLiteral("Keys"); });
    const QStringList trace = PlayByKeys();
    ASSERT_EQ(Cycle().GameState(), gsAttract);
    ASSERT_GT(Round().Score(), 0);
    const QString game = KeptGame();
    ASSERT_FALSE(game.isEmpty());
    EXPECT_EQ(TReplayStore::Load(game)->Score, Round().Score());

    const THeadlessRun run = ReplayHeadless(game, mSettingsDir.File("replay.trace"));
    EXPECT_EQ(run.ExitCode, 0) << qPrintable(run.Errors);
    EXPECT_EQ(run.Trace, trace.join('\n') + '\n');

    // The same game on a design that changed since is refused, in words.
    TGameRecording changed = *TReplayStore::Load(game);
    changed.DesignHash = QStringLiteral("0000");
    const QString changedPath = mSettingsDir.Write("changed.game", changed.Serialize());
    const THeadlessRun refused = ReplayHeadless(changedPath, mSettingsDir.File("refused.trace"));
    EXPECT_EQ(refused.ExitCode, 1);
    EXPECT_TRUE(refused.Errors.contains("has changed since this game was played")) << qPrintable(refused.Errors);
    EXPECT_TRUE(refused.Trace.isEmpty());
}

TEST_F(ReplayWindowTest, HighScoresWatchShowsTheGameUnderItsSignUntilAKey)
{
    Start();
    PlayScripted("name Zoe\nnew\ntick 30 Space", 70);
    InHighScores([](THighScoresDialog &dialog) {
        ASSERT_EQ(dialog.List().topLevelItemCount(), 1);
        const QTreeWidgetItem *row = dialog.List().topLevelItem(0);
        EXPECT_EQ(row->text(1), "70");
        EXPECT_EQ(row->text(2), "Zoe");
        EXPECT_EQ(row->text(3), "Default");
        EXPECT_NE(row->text(4), "—") << "the date it was played";
        dialog.WatchButton().click();
    });
    EXPECT_TRUE(mForm->Session().Watching());
    EXPECT_EQ(Cycle().GameState(), gsPlaying);
    ASSERT_TRUE(ReplaySign());
    EXPECT_FALSE(ReplaySign()->isHidden());
    EXPECT_EQ(ReplaySign()->text(), "REPLAY — Zoe 70");
    Run("tick 5");
    QTest::keyClick(mForm.get(), Qt::Key_Escape);
    EXPECT_FALSE(mForm->Session().Watching());
    EXPECT_TRUE(ReplaySign()->isHidden());
    EXPECT_EQ(Cycle().GameState(), gsAttract);

    // Once the design has changed, the game is not shown and the player is told.
    mRoot.Write("Default/!design.ini", "ShipStepX=9\r\n");
    QStringList shown;
    ErrorReport::SetHandler([&](const QString &message) { shown << message; });
    int asked = 0;
    mForm->findChild<THighScoresDialog *>()->SetAnswerHook([&](THighScoresDialog &) {
        return ++asked == 1 ? std::optional<int>(0) : std::nullopt;
    });
    mForm->findChild<QAction *>(QStringLiteral("HighScores1"))->trigger();
    ErrorReport::SetHandler(nullptr);
    EXPECT_FALSE(mForm->Session().Watching());
    EXPECT_EQ(asked, 2) << "the list opens again after the message";
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown.first(),
              "The design \"Default\" has changed since this game was played, so it would not play the same.");
}

TEST_F(ReplayWindowTest, NameFieldProposesTheLastNameEntered)
{
    Start();
    PlayScripted("name Alice\nnew\ntick 3", 50);
    QString proposed;
    mForm->ScoreDialog().SetAnswerHook([&](TScoreDialog &dialog) {
        proposed = dialog.Edit1()->text();
        return std::optional<QString>(proposed);
    });
    PlayScripted("new\ntick 3", 60);
    EXPECT_EQ(proposed, "Alice");
    EXPECT_EQ(mForm->ScoreDialog().windowTitle(), Language1().LookupMessage("ScoreDialogTitle"));
}
