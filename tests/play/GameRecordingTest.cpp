#include "play/GameRecording.h"
#include "play/ReplayScript.h"

#include <gtest/gtest.h>

namespace {

TGameRecording LongGame()
{
    TGameRecording game{.Seed = 4000000000u, .LookSeed = 17, .Design = QStringLiteral("Sea; #1"),
                        .DesignHash = QStringLiteral("ab12"), .Entry = QStringLiteral("000000004210;Ann;Sea; #1"),
                        .Score = 4210, .Played = QDateTime(QDate(2026, 5, 1), QTime(12, 30), Qt::UTC)};
    // Ten minutes: long stretches of the same keys, as a player holds them.
    for (int i = 0; i < 6000; ++i)
        game.Keys.push_back(static_cast<std::uint8_t>((i / 40) % 8));
    return game;
}

} // namespace

TEST(GameRecording, ReadsBackWhatItWroteAndStaysSmall)
{
    const TGameRecording game = LongGame();
    const QByteArray text = game.Serialize();
    EXPECT_LT(text.size(), 2000) << "a long game stays a few bytes per change of keys";
    const TGameRecording back = TGameRecording::Parse(text);
    EXPECT_EQ(back.Format, TGameRecording::CurrentFormat);
    EXPECT_EQ(back.Rules, kRulesVersion);
    EXPECT_EQ(back.Seed, game.Seed);
    EXPECT_EQ(back.LookSeed, game.LookSeed);
    EXPECT_EQ(back.Design, game.Design);
    EXPECT_EQ(back.DesignHash, game.DesignHash);
    EXPECT_EQ(back.Entry, game.Entry);
    EXPECT_EQ(back.Score, game.Score);
    EXPECT_EQ(back.Played, game.Played);
    EXPECT_EQ(back.Keys, game.Keys);
}

TEST(GameRecording, DamagedOrForeignTextIsRefused)
{
    const QByteArray text = LongGame().Serialize();
    EXPECT_THROW(TGameRecording::Parse("seed 42\nnew\n"), EReplayError);
    EXPECT_THROW(TGameRecording::Parse(text.left(text.size() - 8)), EReplayError) << "cut short";
    QByteArray badKeys = text;
    badKeys.replace("keys a", "keys z");
    EXPECT_THROW(TGameRecording::Parse(badKeys), EReplayError);
    QByteArray huge = text;
    huge.replace("keys a", "keys a99999999999a");
    EXPECT_THROW(TGameRecording::Parse(huge), EReplayError);
}

TEST(GameRecording, BecomesScriptLinesHoldingTheSameKeys)
{
    TGameRecording game{.Seed = 42, .LookSeed = 9};
    game.Keys = {0, 0, TGameRecording::HeldLeft | TGameRecording::HeldSpace, TGameRecording::HeldRight};
    EXPECT_EQ(game.ScriptLines(),
              (QStringList{"seed 42 9", "new", "tick 2", "tick 1 Left Space", "tick 1 Right"}));
    const std::optional<TReplayCommand> seed = TReplayCommand::Parse("seed 42 9");
    EXPECT_EQ(seed->Seed, 42u);
    EXPECT_EQ(seed->LookSeed, 9u);
    TKeyState keys;
    TGameRecording::Hold(keys, TGameRecording::HeldLeft | TGameRecording::HeldSpace);
    EXPECT_EQ(TGameRecording::HeldMask(keys), TGameRecording::HeldLeft | TGameRecording::HeldSpace);
}
