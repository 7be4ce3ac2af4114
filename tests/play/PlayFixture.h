#pragma once

#include "base/KeyValueList.h"
#include "base/Random.h"
#include "design/GamePar.h"
#include "play/GameCycle.h"
#include "play/GameRound.h"
#include "play/HighScoreTable.h"
#include "play/KeyState.h"
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
        const QString from = QStringLiteral(SNAPSTORM_BIN_DIR "/design/Default");
        QDir().mkpath(mRoot.File("Default"));
        for (const QString &name : QDir(from).entryList(QDir::Files))
            QFile::copy(from + QLatin1Char('/') + name, mRoot.File("Default/" + name));
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
        for (const QString &raw : script.split(QLatin1Char('\n'))) {
            const QStringList words = raw.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (words.isEmpty())
                continue;
            const QString &command = words.first();
            if (command == QLatin1String("seed"))
                Random::Seed(words.value(1).toUInt());
            else if (command == QLatin1String("design"))
                ApplyDesign(words.value(1));
            else if (command == QLatin1String("new") || command == QLatin1String("demo"))
                mCycle->StartGame(command == QLatin1String("demo"));
            else if (command == QLatin1String("stop"))
                mCycle->StopGame();
            else if (command == QLatin1String("tick"))
                Tick(words.value(1).toInt(), words.mid(2));
            else
                throw std::invalid_argument("unknown command " + command.toStdString());
            if (command != QLatin1String("tick"))
                mEvents.push_back(mCycle->TakeEvents());
        }
    }

    static QString Lookup(const QString &key) { return key; }
    TGameRound &Round() { return mCycle->Round(); }
    TSprite &Title(int kind) { return *Round().Pictures().FindKind(kind); }

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

    void Tick(int count, const QStringList &keyNames)
    {
        TKeyState keys;
        for (const QString &name : keyNames)
            keys.SetHeld(GameKeyNamed(name).value(), true);
        for (int i = 0; i < count; ++i) {
            mEvents.push_back(mCycle->Tick(keys));
            mTraceText += RoundTraceLine(Round(), ++mTicks) + QLatin1Char('\n');
        }
    }
};
