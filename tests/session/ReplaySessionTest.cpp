#include "session/GameSession.h"
#include "session/ReplayStore.h"

#include "FakeSessionView.h"

#include "base/ErrorReport.h"
#include "base/Random.h"
#include "play/GameRound.h"
#include "support/TempDir.h"

#include <QDir>
#include <QObject>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Copies of the game sharing one settings file, one replay folder and one
// design root, as two windows of one player would.
class ReplaySessionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mRoot.CopyFolder(QStringLiteral(SNAPSTORM_BIN_DIR "/design/Default"), QStringLiteral("Default"));
    }

    TGameSession &Open(FakeView &view)
    {
        auto session = std::make_unique<TGameSession>(
            TSessionOptions{.SettingsPath = mSettings.File("snapstorm.ini"), .Unattended = true,
                            .DesignRoot = mRoot.Path(), .ReplayFolder = mSettings.File("replays")},
            view, [](const QString &key) { return key; }, &mSoundOwner);
        session->ApplyStored();
        session->Start();
        mSessions.push_back(std::move(session));
        return *mSessions.back();
    }

    // A player's game of a few ticks ending with `score`, named `name`.
    static void Play(TGameSession &session, FakeView &view, int score, std::optional<QString> name)
    {
        view.Name = name;
        session.StartGame(false);
        session.Keys().SetHeld(TGameKey::Space, true);
        for (int i = 0; i < 12; ++i)
            session.Tick();
        session.Keys().ReleaseAll();
        session.Round().SetScore(score);
        session.Cycle().GameOver();
        session.Cycle().SetCountdown(0);
        session.Tick();
        session.EnterPendingHighScore();
    }

    QStringList Games() const { return QDir(mSettings.File("replays")).entryList(QDir::Files); }

    TempDir mRoot;
    TempDir mSettings;
    QObject mSoundOwner;
    std::vector<std::unique_ptr<TGameSession>> mSessions;
};

} // namespace

TEST_F(ReplaySessionTest, EachEntryOfTheTableKeepsItsGameAndTheTablePrunesTheRest)
{
    FakeView view;
    TGameSession &session = Open(view);
    for (int score = 10; score <= 210; score += 10)
        Play(session, view, score, QStringLiteral("P%1").arg(score));
    ASSERT_EQ(session.HighScoreRows().size(), 20u);
    EXPECT_EQ(Games().size(), 20);
    // The lowest went with its game; the others each have theirs.
    EXPECT_FALSE(session.RecordingOf(0)->Entry.contains(";P10;"));
    for (int i = 0; i < 20; ++i) {
        const std::optional<TGameRecording> game = session.RecordingOf(i);
        ASSERT_TRUE(game) << i;
        EXPECT_EQ(ParseScoreEntry(game->Entry).score, (i + 2) * 10);
        EXPECT_EQ(game->Score, (i + 2) * 10);
        EXPECT_EQ(game->Keys.size(), 13u);
    }
    // A cancelled name keeps no game.
    const QStringList before = Games();
    Play(session, view, 600, std::nullopt);
    EXPECT_EQ(Games(), before);
}

TEST_F(ReplaySessionTest, TwoCopiesMergingScoresKeepTheGamesOfTheMergedTable)
{
    QString settings;
    for (int score = 100; score <= 2000; score += 100)
        settings += QStringLiteral("Score=%1;Old;Default\n").arg(score, 12, 10, QLatin1Char('0'));
    mSettings.Write("snapstorm.ini", settings.toUtf8());
    FakeView viewA, viewB;
    TGameSession &a = Open(viewA);
    TGameSession &b = Open(viewB);
    // B's game pushes out the lowest; A, not having seen it, then pushes B's out.
    Play(b, viewB, 150, QStringLiteral("Bea"));
    ASSERT_EQ(Games().size(), 1);
    Play(a, viewA, 3000, QStringLiteral("Al"));
    const QStringList games = Games();
    ASSERT_EQ(games.size(), 1);
    EXPECT_EQ(TReplayStore::Load(mSettings.File("replays/" + games.first()))->Score, 3000);
    // B learns of A's score at its next write and finds A's game.
    b.WriteSettings();
    EXPECT_EQ(b.RecordingOf(19)->Entry, "000000003000;Al;Default");
}

TEST_F(ReplaySessionTest, WatchingReplaysTheGameWithoutTouchingTheTable)
{
    FakeView view;
    TGameSession &session = Open(view);
    Random::Seed(7);
    Play(session, view, 80, QStringLiteral("Ann"));
    const QStringList settingsBefore = session.Settings().Lines();
    ASSERT_EQ(session.WatchHighScore(0), TWatchRefusal::None);
    EXPECT_TRUE(session.Watching());
    EXPECT_EQ(view.Sign, "REPLAY — Ann 80");
    // Any key ends it, back on the attract screen.
    EXPECT_TRUE(session.KeyPressed(Qt::Key_X, false, false));
    EXPECT_FALSE(session.Watching());
    EXPECT_TRUE(view.Sign.isEmpty());
    EXPECT_EQ(session.Cycle().GameState(), gsAttract);
    EXPECT_EQ(session.Settings().Lines(), settingsBefore);
}

TEST_F(ReplaySessionTest, GameThatWouldPlayDifferentlyIsRefusedInWords)
{
    FakeView view;
    TGameSession &session = Open(view);
    Play(session, view, 80, QStringLiteral("Ann"));
    TGameRecording game = *session.RecordingOf(0);

    TGameRecording otherRules = game;
    otherRules.Rules = kRulesVersion + 1;
    EXPECT_EQ(session.Watch(otherRules, {}), TWatchRefusal::RulesChanged);
    TGameRecording gone = game;
    gone.Design = QStringLiteral("Vanished");
    EXPECT_EQ(session.Watch(gone, {}), TWatchRefusal::DesignMissing);
    mRoot.Write("Default/!design.ini", "ShipStepX=9\r\n");
    EXPECT_EQ(session.Watch(game, {}), TWatchRefusal::DesignChanged);
    EXPECT_FALSE(session.Watching());
    EXPECT_EQ(session.RefusalText(TWatchRefusal::DesignChanged, "Default"),
              "The design \"Default\" has changed since this game was played, so it would not play the same.");
    EXPECT_EQ(session.WatchHighScore(5), TWatchRefusal::NotRecorded);
}

TEST_F(ReplaySessionTest, AttractWaitsAlternateTheChampionOfTheDesignWithTheDemo)
{
    FakeView view;
    TGameSession &session = Open(view);
    const auto waitRunsOut = [&] {
        for (int i = 0; i < 5000 && session.Cycle().GameState() != gsAttractWaiting; ++i)
            session.Tick();
        session.Cycle().SetCountdown(0);
        session.Tick();
    };
    waitRunsOut();
    EXPECT_EQ(session.Cycle().GameState(), gsDemo) << "no recorded game: the demo";
    session.StopGame();
    Play(session, view, 40, QStringLiteral("Low"));
    Play(session, view, 90, QStringLiteral("Best"));
    waitRunsOut();
    EXPECT_TRUE(session.Watching());
    EXPECT_EQ(view.Sign, "REPLAY — Best 90");
    session.EndWatching();
    waitRunsOut();
    EXPECT_EQ(session.Cycle().GameState(), gsDemo);
}

TEST_F(ReplaySessionTest, GameTheDiskCannotTakeIsSaidOnceAndKeptAtTheNextWrite)
{
    // A file where the folder should be: nothing can be written into it.
    mSettings.Write("replays", "in the way");
    QStringList shown;
    ErrorReport::SetHandler([&](const QString &message) { shown << message; });
    FakeView view;
    TGameSession &session = Open(view);
    Play(session, view, 90, QStringLiteral("Eve"));
    ErrorReport::SetHandler(nullptr);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.first().contains(mSettings.File("replays"))) << qPrintable(shown.first());
    EXPECT_TRUE(mSettings.Read("snapstorm.ini").contains("Score=000000000090;Eve;Default"));
    QFile::remove(mSettings.File("replays"));
    EXPECT_TRUE(session.WriteSettings());
    EXPECT_EQ(Games().size(), 1);
    EXPECT_EQ(session.RecordingOf(0)->Score, 90);
}
