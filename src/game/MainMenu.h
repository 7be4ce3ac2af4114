#pragma once

#include "design/DesignRoots.h"

#include <QString>
#include <QStringList>

#include <functional>

class QAction;
class QKeySequence;
class QMainWindow;
class QMenu;

// What each menu entry does, filled in by the window that owns the menu.
// An empty command leaves its entry without an action of its own.
struct TMenuCommands {
    using TCommand = std::function<void()>;
    TCommand NewGame, StopGame, PauseGame, Demo, HighScores, Sound, Volume, Keys, Exit;
    TCommand DesignGame, Gallery, Language, SmoothMotion, Index, Info;
    std::function<void(const QString &designName)> DesignChosen;
    // Runs whenever a menu is about to show.
    TCommand MenuOpened;
};

// The main window's menu bar: Game, Design, View and Help with their
// commands and shortcuts. Each command runs under the error guard, so a
// failure shows its message and the game goes on.
class TMainMenu
{
public:
    TMainMenu(QMainWindow &window, const TDesignRoots &designRoot, TMenuCommands commands);

    // The captions a language file may change: the menus' and those of the
    // dialogs the window owns.
    static const QStringList &TranslatedProperties();

    QAction &Pause1() const { return *mPause1; }
    QAction &Sound1() const { return *mSound1; }
    QAction &Fullscreen1() const { return *mFullscreen1; }
    QAction &SmoothMotion1() const { return *mSmoothMotion1; }
    QAction &WholeScaling1() const { return *mWholeScaling1; }

private:
    using TCommand = TMenuCommands::TCommand;

    QMenu *AddMenu(const char *name, const QString &caption);
    QAction *AddCommand(QMenu *menu, const char *name, const QString &caption,
                        const QKeySequence &shortcut, const TCommand &command);
    QAction *AddCheckable(QMenu *menu, const char *name, const QString &caption,
                          const QKeySequence &shortcut, const TCommand &command);
    void CreateGameMenu();
    void CreateDesignMenu(const TDesignRoots &designRoot);
    void CreateViewMenu();
    void CreateHelpMenu();

    QMainWindow &mWindow;
    TMenuCommands mCommands;
    // Owned by the menus, which the window's menu bar owns.
    QAction *mPause1 = nullptr;
    QAction *mSound1 = nullptr;
    QAction *mFullscreen1 = nullptr;
    QAction *mSmoothMotion1 = nullptr;
    QAction *mWholeScaling1 = nullptr;
};
