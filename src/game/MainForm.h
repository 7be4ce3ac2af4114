#pragma once

#include "LazyChild.h"
#include "MainFormOptions.h"
#include "MainMenu.h"
#include "game/PlayArea.h"
#include "pads/Gamepad.h"
#include "game/dialogs/GameDialogs.h"

#include "design/DesignRoots.h"
#include "design/ui/MessageBoxPrompts.h"
#include "play/AttractScreen.h"
#include "session/GameSession.h"
#include "session/SessionView.h"

#include <QMainWindow>
#include <QTimer>

#include <memory>
#include <optional>

class QAction;
class QMenu;
class TDesktopServices;
class TControllerSource;
class TDragComp;
class TFramePump;
class TGamePar;
class TGameDialogs;
class THelpOpener;
class TLanguage;
class TPlayArea;
class TScoreDialog;
class TSpriteBox;
class TDesignSelectDialog;
class TSettingsDialogs;

// The game's main window: it builds the widgets, forwards key, timer, menu,
// drop and focus events to the game session and shows what it says.
class TMainForm : public QMainWindow, private TSessionView
{
    Q_OBJECT

public:
    explicit TMainForm(TMainFormOptions options, QWidget *parent = nullptr);
    ~TMainForm() override;

    // The font of the window's own texts: scores, attract screen, signs.
    static QFont GameFont() { return TAttractScreen::TextFont(); }

    // Menu commands.
    void NewGameClick() { mSession->StartGame(false); }
    void StopGameClick() { mSession->StopGame(); }
    void PauseGameClick() { mSession->TogglePause(); }
    void Demo1Click() { mSession->StartGame(true); }
    void SmoothMotion1Click();
    void Exit1Click() { close(); }
    void DesignItemClick(const QString &designName) { mSession->ChooseDesign(designName); }
    void Language2Click();
    void DesignGameClick() { mDialogs->EditDesign(); }
    // A design archive dropped on the window (or named on the command
    // line): the first file is imported and shown on the attract screen.
    void ImportDroppedFiles(const QStringList &files) { mSession->ImportDroppedFiles(files); }

    // One tick as the timer delivers it: an error stops Timer1 and is shown.
    void OnTimer1();
    // The first showing; the scripted run calls it without showing anything.
    void FormShow();
    // The name entry of a game that ended in the last tick, if any; the
    // timer queues it, the scripted run calls it after each tick.
    void EnterPendingHighScore() { mSession->EnterPendingHighScore(); }

    // A pad the window is played with, besides the keys (tests give one).
    void AttachGamepad(std::unique_ptr<TControllerSource> source);

    // The session the window forwards to.
    TGameSession &Session() { return *mSession; }
    // The first thing the window paints.
    TSpriteBox &AttractBox() { return mArea->AttractBox(); }
    // The name entry; the tests script its answers.
    TScoreDialog &ScoreDialog() { return *mScoreDialog; }

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void FormCreate();
    void SetUpWindow();
    void CreateHelpers();
    // Sound output and game controllers, once the window shows.
    void StartDevices();
    // What the menu's entries do.
    TMenuCommands MenuCommands();
    // What the pad's buttons do besides steering and firing.
    TGamepadCommands PadCommands();
    void FormDestroy();
    void OnApplicationStateChanged(Qt::ApplicationState state);

    // TSessionView
    void ShowDesign(const TGamePar &design) override;
    void RunTimer(bool run) override { run ? mTimer1->start() : mTimer1->stop(); }
    void ShowPause(const TPauseControl::TState &state) override;
    void ShowEvents(const TTickResult &result, bool demoRunning) override { mArea->ShowEvents(result, demoRunning); }
    void ShowReplay(const QString &sign) override { mArea->ShowReplay(sign); }
    std::optional<QString> AskName(TScoreTitle title, std::int32_t score) override;
    TDesignPrompts &Prompts() override { return mPrompts; }

    TMainFormOptions mOptions;
    TMessageBoxPrompts mPrompts;
    bool mShown = false;
    TMenuCommands mCommands;
    std::unique_ptr<TMainMenu> mMenu;
    std::unique_ptr<TGameSession> mSession;
    std::unique_ptr<TGameDialogs> mDialogs;
    std::unique_ptr<TSettingsDialogs> mSettingsDialogs;

    // Owned by their Qt parent.
    QTimer *mTimer1 = nullptr;
    TPlayArea *mArea = nullptr;
    TLanguage *mLanguage1 = nullptr;
    TLazyChild<TScoreDialog> mScoreDialog;
    TFramePump *mFramePump = nullptr;
    TDragComp *mDragComp1 = nullptr;
};
