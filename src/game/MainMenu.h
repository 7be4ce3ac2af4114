#pragma once

#include "design/DesignRoots.h"

#include <QString>
#include <QStringList>

#include <functional>

class QAction;
class QKeySequence;
class QMenu;
class TMainForm;

// The main window's menu bar: Game, Design, View and Help with their
// commands and shortcuts. Each command runs under the error guard, so a
// failure shows its message and the game goes on.
class TMainMenu
{
public:
    // `menuOpened` runs whenever a menu is about to show.
    TMainMenu(TMainForm &form, const TDesignRoots &designRoot, std::function<void()> menuOpened);

    // The captions a language file may change: the menus' and those of the
    // dialogs the window owns.
    static const QStringList &TranslatedProperties();

    QAction &Pause1() const { return *mPause1; }
    QAction &Sound1() const { return *mSound1; }
    QAction &Fullscreen1() const { return *mFullscreen1; }
    QAction &SmoothMotion1() const { return *mSmoothMotion1; }

private:
    using TCommand = void (TMainForm::*)();

    QMenu *AddMenu(const char *name, const QString &caption);
    QAction *AddCommand(QMenu *menu, const char *name, const QString &caption,
                        const QKeySequence &shortcut, TCommand command);
    QAction *AddCheckable(QMenu *menu, const char *name, const QString &caption,
                          const QKeySequence &shortcut, TCommand command);
    void CreateGameMenu();
    void CreateDesignMenu(const TDesignRoots &designRoot);
    void CreateViewMenu();
    void CreateHelpMenu();

    TMainForm &mForm;
    std::function<void()> mMenuOpened;
    // Owned by the menus, which the window's menu bar owns.
    QAction *mPause1 = nullptr;
    QAction *mSound1 = nullptr;
    QAction *mFullscreen1 = nullptr;
    QAction *mSmoothMotion1 = nullptr;
};
