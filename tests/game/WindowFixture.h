#pragma once

#include "GameFixture.h"

#include "game/dialogs/DesktopServices.h"
#include "play/AttractScreen.h"
#include "sprites/Sprite.h"
#include "sprites/ui/SpriteBox.h"
#include "sprites/SpriteList.h"
#include "support/TickCounting.h"

#include <functional>

// Remembers what the window asked the desktop to open.
class FakeDesktop : public TDesktopServices
{
public:
    void Open(const QString &target, TOpened done) override
    {
        Opened << target;
        done(Succeeds);
    }
    QStringList Opened;
    // False: as on a desktop without any program to open the file.
    bool Succeeds = true;
};

// The game fixture with the window really shown (so showing, minimising and
// closing run their own handlers) and a few look-ups the window tests share.
class WindowFixture : public GameFixture
{
protected:
    void Open(TDesktopServices *desktop = nullptr)
    {
        mForm = std::make_unique<TMainForm>(
            TMainFormOptions{mSettingsPath, true, desktop, mRoot.Path()});
        mForm->show();
        AttachRunner();
    }

    QByteArray SettingsFile() const { return ReadFile(mSettingsPath); }

    // A game over with 30 points whose display ends at the next tick.
    void EndAGameWith30Points()
    {
        Start();
        Run("new\ntick 3");
        Round().SetScore(30);
        Cycle().GameOver();
        Cycle().SetCountdown(0);
    }

    TSprite &Title(int kind) { return *Round().Sprites().Pictures().FindKind(kind); }

    // Ticks one at a time until `done` holds; returns the ticks it took,
    // or -1 when it never did within `limit`.
    int TicksUntil(const std::function<bool()> &done, int limit)
    {
        return ::TicksUntil([this] { Run("tick 1"); }, done, limit);
    }
};
