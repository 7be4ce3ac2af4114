#include "session/GameSession.h"
#include "session/ReplayRunner.h"
#include "session/SessionView.h"

#include "FakeSessionView.h"

#include "design/GamePar.h"
#include "design/PrepareDesignFolder.h"
#include "play/GameCycle.h"
#include "play/GameRound.h"
#include "play/TickResult.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QObject>
#include <QTextStream>

#include <gtest/gtest.h>

#include <memory>

namespace {

QString ReadText(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly | QIODevice::Text);
    return QString::fromUtf8(file.readAll());
}

class GameSessionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mRoot.CopyFolder(QStringLiteral(SNAPSTORM_BIN_DIR "/design/Default"), QStringLiteral("Default"));
        mSession = std::make_unique<TGameSession>(
            TSessionOptions{.SettingsPath = mSettings.File("snapstorm.ini"), .Unattended = true,
                            .DesignRoot = mRoot.Path()},
            mView, [](const QString &key) { return key; }, &mSoundOwner);
        mSession->ApplyStored();
        mSession->Start();
    }

    TempDir mRoot;
    TempDir mSettings;
    FakeView mView;
    // Holds the mixer, made when a design's sounds load.
    QObject mSoundOwner;
    std::unique_ptr<TGameSession> mSession;
    QString mTraceText;
    QTextStream mTrace{&mTraceText};
};

} // namespace

TEST_F(GameSessionTest, FixedSeedTraceIsTheWindowsWithoutAWindow)
{
    TReplayRunner runner(*mSession, mTrace, nullptr);
    runner.Run(ReadText(SNAPSTORM_GAME_DATA "/seed42.script").trimmed().split('\n'));
    mTrace.flush();
    EXPECT_EQ(mTraceText, ReadText(SNAPSTORM_GAME_DATA "/seed42.trace"));
}

TEST_F(GameSessionTest, StartKeysStartAGameOnlyFromTheAttractScreenOrTheDemo)
{
    EXPECT_FALSE(mSession->StartKey(Qt::Key_Space, false, true)) << "an auto-repeat";
    EXPECT_FALSE(mSession->StartKey(Qt::Key_Return, true, false)) << "with a modifier";
    EXPECT_FALSE(mSession->StartKey(Qt::Key_A, false, false));
    EXPECT_TRUE(mSession->StartKey(Qt::Key_Enter, false, false));
    EXPECT_EQ(mSession->Cycle().GameState(), gsPlaying);
    EXPECT_FALSE(mSession->StartKey(Qt::Key_Space, false, false)) << "Space fires in a game";
}

TEST_F(GameSessionTest, InterruptedGameWaitsForThePlayerAndTheViewShowsIt)
{
    mSession->StartGame(false);
    EXPECT_TRUE(mView.TimerRuns);
    mSession->Interrupt();
    EXPECT_FALSE(mView.TimerRuns);
    EXPECT_TRUE(mView.Pause.ShowPaused);
    EXPECT_FALSE(mView.Pause.PauseChecked);
    EXPECT_TRUE(mSession->PlayerReturned());
    EXPECT_TRUE(mView.TimerRuns);
    EXPECT_FALSE(mView.Pause.ShowPaused);
    EXPECT_FALSE(mSession->PlayerReturned()) << "the next key is the game's";
}

TEST_F(GameSessionTest, DroppedFilesOtherThanAZipChangeNothing)
{
    mSession->ImportDroppedFiles({mRoot.Write("notes.txt", "not a design")});
    EXPECT_TRUE(mView.AskedPrompts.Said.isEmpty());
    EXPECT_EQ(mView.Designs.size(), 1);
    EXPECT_TRUE(mView.TimerRuns) << "the timer runs again after the drop";
}

TEST_F(GameSessionTest, AHighScoreIsEnteredByTheNameTheViewGivesAndWritten)
{
    mView.Name = QStringLiteral("Alice");
    TReplayRunner runner(*mSession, mTrace, nullptr);
    runner.Run({"seed 1", "new", "tick 3"});
    mSession->Round().SetScore(30);
    mSession->Cycle().GameOver();
    mSession->Cycle().SetCountdown(0);
    runner.Run({"tick 2"});
    EXPECT_TRUE(ReadText(mSettings.File("snapstorm.ini")).contains(";Alice;"));
}
