#pragma once

#include "base/KeyValueList.h"
#include "base/Random.h"
#include "design/GamePar.h"
#include "play/GameCycle.h"
#include "play/GameRound.h"
#include "play/HighScoreTable.h"
#include "play/KeyState.h"
#include "play/ReplayScript.h"
#include "play/RoundTrace.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteList.h"
#include "support/TempDir.h"
#include "support/TickCounting.h"

#include <QDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>

// The rules alone: a game cycle on a copy of the shipped Default design,
// with a settings list, a high-score table and a look-up that answers each
// message key with the key itself. No window, no sound. Scripts take the
// scripted run's commands that concern the rules: seed, design, new, demo,
// stop and tick.
class PlayFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mRoot.CopyFolder(QStringLiteral(SNAPSTORM_BIN_DIR "/design/Default"), QStringLiteral("Default"));
    }

    // As the window starts: sprites made, the design applied, the attract
    // screen shown.
    void Start()
    {
        mTicks = 0;
        mDesign = std::make_unique<TGamePar>(mRoot.Path() + QLatin1Char('/'));
        mCycle = std::make_unique<TGameCycle>(
            TGameCycleSetup{.Lookup = &Lookup,
                            .Settings = mSettings,
                            .HighScores = mHighScores},
            *mDesign);
        ApplyDesign(QString());
        mCycle->PlaceFixedSprites(0);
        mCycle->ShowAttract();
        mEvents.push_back(mCycle->TakeEvents());
    }

    void Run(const QString &script)
    {
        using TKind = TReplayCommand::TKind;
        for (const QString &line : script.split(QLatin1Char('\n'))) {
            const std::optional<TReplayCommand> command = TReplayCommand::Parse(line);
            if (!command)
                continue;
            switch (command->Kind) {
            case TKind::Seed:
                Random::Seed(command->Seed);
                break;
            case TKind::Design:
                ApplyDesign(command->Text);
                break;
            case TKind::New:
            case TKind::Demo:
                mCycle->StartGame(command->Kind == TKind::Demo);
                break;
            case TKind::Stop:
                mCycle->StopGame();
                break;
            case TKind::Tick:
                Tick(command->Count, command->Keys);
                continue;
            default:
                throw std::invalid_argument("not a command of the rules: " + line.toStdString());
            }
            mEvents.push_back(mCycle->TakeEvents());
        }
    }

    static QString Lookup(const QString &key) { return key; }
    TGameCycle &Cycle() { return *mCycle; }
    TGameRound &Round() { return mCycle->Round(); }
    TSprite &Title(int kind) { return *Round().Sprites().Pictures().FindKind(kind); }

    // A design folder in the scratch root holding the given files.
    void MakeDesign(const QString &name, const QMap<QString, QByteArray> &files)
    {
        QDir().mkpath(mRoot.File(name));
        for (auto it = files.begin(); it != files.end(); ++it)
            mRoot.Write(name + QLatin1Char('/') + it.key(), it.value());
    }

    // Ticks one at a time until `done` holds; returns the ticks it took,
    // or -1 when it never did within `limit`.
    int TicksUntil(const std::function<bool()> &done, int limit)
    {
        return ::TicksUntil([this] { Run("tick 1"); }, done, limit);
    }

    TempDir mRoot;
    TKeyValueList mSettings;
    THighScoreTable mHighScores;
    std::unique_ptr<TGamePar> mDesign;
    std::unique_ptr<TGameCycle> mCycle;
    // What each command and tick returned, in order.
    std::vector<TTickResult> mEvents;
    // One line of round state per tick, as the scripted run writes it.
    QString mTraceText;
    int mTicks = 0;

private:
    void ApplyDesign(const QString &name)
    {
        auto design = std::make_unique<TGamePar>(mRoot.Path() + QLatin1Char('/'));
        design->Load(name);
        design->ComputeLayout();
        mCycle->ApplyDesign(*design);
        mDesign = std::move(design);
    }

    void Tick(int count, const std::vector<TGameKey> &held)
    {
        TKeyState keys;
        for (const TGameKey key : held)
            keys.SetHeld(key, true);
        for (int i = 0; i < count; ++i) {
            mEvents.push_back(mCycle->Tick(keys));
            mTraceText += RoundTraceLine(*mCycle, ++mTicks) + QLatin1Char('\n');
        }
    }
};
