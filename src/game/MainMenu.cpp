#include "MainMenu.h"

#include "DesignMenu.h"

#include "base/ErrorReport.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QShortcut>

#include <utility>

TMainMenu::TMainMenu(QMainWindow &window, const TDesignRoots &designRoot, TMenuCommands commands)
    : mWindow(window)
    , mCommands(std::move(commands))
{
    // The window's bold serif font belongs to the attract text, not the menu.
    mWindow.menuBar()->setFont(QApplication::font());
    CreateGameMenu();
    CreateDesignMenu(designRoot);
    CreateViewMenu();
    CreateHelpMenu();
}

const QStringList &TMainMenu::TranslatedProperties()
{
    static const QStringList properties = {
        QStringLiteral("MainForm.Game1.Caption"),     QStringLiteral("MainForm.New1.Caption"),
        QStringLiteral("MainForm.Stop1.Caption"),     QStringLiteral("MainForm.Pause1.Caption"),
        QStringLiteral("MainForm.Demo1.Caption"),     QStringLiteral("MainForm.Sound1.Caption"),
        QStringLiteral("MainForm.HighScores1.Caption"),
        QStringLiteral("MainForm.Exit1.Caption"),     QStringLiteral("MainForm.Info1.Caption"),
        QStringLiteral("MainForm.Design1.Caption"),   QStringLiteral("MainForm.Language2.Caption"),
        QStringLiteral("MainForm.Load1.Caption"),     QStringLiteral("MainForm.DesignItem.Caption"),
        QStringLiteral("MainForm.Gallery1.Caption"),
        QStringLiteral("MainForm.Game2.Caption"),     QStringLiteral("MainForm.Index1.Caption"),
        QStringLiteral("MainForm.Help1.Caption"),     QStringLiteral("MainForm.Volume1.Caption"),
        QStringLiteral("MainForm.View1.Caption"),     QStringLiteral("MainForm.Fullscreen1.Caption"),
        QStringLiteral("MainForm.SmoothMotion1.Caption"),
        QStringLiteral("MainForm.WholeScaling1.Caption"),
        QStringLiteral("VolumeDialog.Caption"),
        QStringLiteral("VolumeDialog.Button1.Caption"),
        QStringLiteral("VolumeDialog.Button2.Caption"),
        QStringLiteral("MainForm.Keys1.Caption"),     QStringLiteral("KeysDialog.Caption"),
        QStringLiteral("KeysDialog.Label1.Caption"),  QStringLiteral("KeysDialog.Label2.Caption"),
        QStringLiteral("KeysDialog.Label3.Caption"),  QStringLiteral("KeysDialog.Button1.Caption"),
        QStringLiteral("KeysDialog.Button2.Caption"), QStringLiteral("KeysDialog.Label5.Caption"),
        QStringLiteral("DesignSelectDialog.Button1.Caption"),
        QStringLiteral("DesignSelectDialog.Button2.Caption"),
        QStringLiteral("DesignSelectDialog.Label1.Caption"),
        QStringLiteral("DesignSelectDialog.DesignItem.Caption"),
    };
    return properties;
}

QMenu *TMainMenu::AddMenu(const char *name, const QString &caption)
{
    QMenu *menu = mWindow.menuBar()->addMenu(caption);
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    QObject::connect(menu, &QMenu::aboutToShow, &mWindow, [this] {
        if (mCommands.MenuOpened)
            mCommands.MenuOpened();
    });
    return menu;
}

QAction *TMainMenu::AddCommand(QMenu *menu, const char *name, const QString &caption,
                               const QKeySequence &shortcut, const TCommand &command)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    if (command) {
        QObject::connect(action, &QAction::triggered, &mWindow,
                         [command] { ErrorReport::Guard(command); });
    }
    return action;
}

QAction *TMainMenu::AddCheckable(QMenu *menu, const char *name, const QString &caption,
                                 const QKeySequence &shortcut, const TCommand &command)
{
    QAction *action = AddCommand(menu, name, caption, shortcut, command);
    action->setCheckable(true);
    return action;
}

void TMainMenu::CreateGameMenu()
{
    QMenu *game1 = AddMenu("Game1", QStringLiteral("&Game"));
    // F4 opens the Game menu, as its shortcut says.
    auto *openGame = new QShortcut(QKeySequence(Qt::Key_F4), &mWindow);
    QObject::connect(openGame, &QShortcut::activated, &mWindow, [this, game1] {
        mWindow.menuBar()->setActiveAction(game1->menuAction());
    });
    AddCommand(game1, "New1", QStringLiteral("New Game"), Qt::Key_F2, mCommands.NewGame);
    AddCommand(game1, "Stop1", QStringLiteral("Stop Game"), Qt::Key_F3, mCommands.StopGame);
    mPause1 = AddCheckable(game1, "Pause1", QStringLiteral("Pause Game"), Qt::Key_P,
                           mCommands.PauseGame);
    AddCommand(game1, "Demo1", QStringLiteral("Demo"), Qt::Key_D, mCommands.Demo);
    AddCommand(game1, "HighScores1", QStringLiteral("&High Scores..."), QKeySequence(), mCommands.HighScores);
    mSound1 = AddCheckable(game1, "Sound1", QStringLiteral("Sound"), Qt::Key_S,
                           mCommands.Sound);
    mSound1->setChecked(true);
    AddCommand(game1, "Volume1", QStringLiteral("&Volume..."), QKeySequence(),
               mCommands.Volume);
    AddCommand(game1, "Keys1", QStringLiteral("&Keys..."), QKeySequence(), mCommands.Keys);
    game1->addSeparator()->setObjectName(QStringLiteral("N2"));
    AddCommand(game1, "Exit1", QStringLiteral("&Exit"), QKeySequence(), mCommands.Exit);
}

void TMainMenu::CreateDesignMenu(const TDesignRoots &designRoot)
{
    QMenu *design1 = AddMenu("Design1", QStringLiteral("&Design"));
    auto *designs = new TDesignMenu(design1, &mWindow);
    designs->SetRoots(designRoot);
    QObject::connect(designs, &TDesignMenu::DesignChosen, &mWindow, [this](const QString &name) {
        ErrorReport::Guard([&] { mCommands.DesignChosen(name); });
    });
    AddCommand(design1, "Gallery1", QStringLiteral("&Gallery..."), QKeySequence(), mCommands.Gallery);
    AddCommand(design1, "Game2", QStringLiteral("&Game"), Qt::Key_F9, mCommands.DesignGame);
    AddCommand(design1, "Language2", QStringLiteral("&Language"), QKeySequence(),
               mCommands.Language);
}

void TMainMenu::CreateViewMenu()
{
    QMenu *view1 = AddMenu("View1", QStringLiteral("&View"));
    // The screen mode connects to these two itself.
    mFullscreen1 = AddCommand(view1, "Fullscreen1", QStringLiteral("Fullscreen"), Qt::Key_F11, {});
    mSmoothMotion1 = AddCheckable(view1, "SmoothMotion1", QStringLiteral("Smooth motion"),
                                  QKeySequence(), mCommands.SmoothMotion);
    mWholeScaling1 = AddCommand(view1, "WholeScaling1", QStringLiteral("Whole-number scaling only"),
                                QKeySequence(), {});
}

void TMainMenu::CreateHelpMenu()
{
    QMenu *help1 = AddMenu("Help1", QStringLiteral("&Help"));
    AddCommand(help1, "Index1", QStringLiteral("&Index"), Qt::Key_F1, mCommands.Index);
    AddCommand(help1, "Info1", QStringLiteral("Inf&o"), QKeySequence(), mCommands.Info);
}
