#pragma once

#include "LazyChild.h"
#include "MainMenu.h"
#include "SettingsFile.h"

#include "base/KeyValueList.h"
#include "play/GameCycle.h"
#include "play/GameRound.h"
#include "play/HighScoreTable.h"
#include "play/KeyState.h"

#include <QMainWindow>

#include <memory>
#include <optional>

class QAction;
class QMenu;
class QTimer;
class TCuePlayer;
class TDesignSwitcher;
class TDesktopServices;
class TDragComp;
class TFramePump;
class TGamePar;
class THelpOpener;
class TLanguage;
class TPauseControl;
class TFieldSign;
class TFieldSigns;
class TScoreDialog;
class TScreenMode;
class TSpriteBox;
class TDesignSelectDialog;
class TSettingsDialogs;

struct TMainFormOptions {
    // The settings file; empty: none is read or written.
    QString SettingsPath{};
    // The scripted run: no dialog waits for a person, no sound device opens.
    bool Unattended = false;
    // Opens the help file; not owned. None: the system's.
    TDesktopServices *Desktop = nullptr;
    // Where the design folders lie; empty: beside the executable.
    QString DesignRoot{};
    // Unattended runs still open the system's sound output (tests that
    // listen to what the game plays).
    bool OpenSoundDevice = false;
    // Where the language and help files lie; empty: beside the executable.
    QString ProgramDir{};
    // Read while the settings file does not exist yet; may be empty.
    QString SettingsSeedPath{};
};

// The game's main window: menu, timer, settings, sound and dialogs around
// the game cycle, whose fields its two boxes show.
class TMainForm : public QMainWindow
{
    Q_OBJECT

public:
    explicit TMainForm(TMainFormOptions options, QWidget *parent = nullptr);
    ~TMainForm() override;

    // The font of the window's own texts: scores, attract screen, signs.
    static QFont GameFont();

    // Menu commands.
    void NewGameClick();
    void StopGameClick();
    void PauseGameClick();
    void Demo1Click();
    void Sound1Click();
    void SmoothMotion1Click();
    void Exit1Click();
    void DesignItemClick(const QString &designName);
    void Language2Click();
    void DesignGameClick();
    void Gallery1Click();
    void Index1Click();
    void Info1Click();
    // A design archive dropped on the window (or named on the command
    // line): the first file is imported and shown on the attract screen.
    void DragComp1DropFiles();
    void ImportDroppedFiles(const QStringList &files);

    void Timer1Timer();
    // One tick as the timer delivers it: an error stops Timer1 and is shown.
    void OnTimer1();
    void StartGame(bool demo);
    // The first showing; the scripted run calls it without showing anything.
    void FormShow();
    void ApplyDesign(const QString &name);
    // The name entry of a game that ended in the last tick, if any; the
    // timer queues it, the scripted run calls it after each tick.
    void EnterPendingHighScore();

    TGameRound &Round() { return mCycle->Round(); }
    TAttractScreen &Attract() { return mCycle->Attract(); }
    TKeyState &Keys() { return mKeys; }
    TKeyValueList &Settings() { return mSettings; }
    TScoreDialog &ScoreDialog() { return *mScoreDialog; }
    TSpriteBox &PlayBox() { return *mPlayBox; }
    TSpriteBox &AttractBox() { return *mAttractBox; }
    TLanguage &Language1() { return *mLanguage1; }
    const TGamePar &GamePar() const;
    QTimer &Timer1() { return *mTimer1; }
    QAction &Pause1() { return mMenu->Pause1(); }
    QAction &Sound1() { return mMenu->Sound1(); }
    QAction &SmoothMotion1() { return mMenu->SmoothMotion1(); }
    TFramePump &FramePump() { return *mFramePump; }
    TDragComp &DragComp1() { return *mDragComp1; }
    bool WriteSettings();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    bool StartKey(const QKeyEvent &event) const;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void FormCreate();
    // What the menu's entries do.
    TMenuCommands MenuCommands();
    void FormDestroy();
    bool InGame() const;
    // Plays the cues and does what a game's start or end asks of the window.
    void Follow(const TTickResult &result);
    // Follows what the cycle's last commands did.
    void FollowCycle();
    void ShowPaused(bool shown);
    void OnApplicationStateChanged(Qt::ApplicationState state);
    void SetClientSize(int width, int height);
    void EnterHighScore(std::int32_t score, const QString &designName);
    void ReleaseSounds();
    void LoadSounds();
    // Shows a design that applied: window size, title, the round's sprites.
    void ShowDesign(const TGamePar &design);
    QString ProgramDir() const;
    TDesignRoots DesignRoot() const;

    void PlayCue(TCue cue);

    TMainFormOptions mOptions;
    QString mSettingsPath;
    std::unique_ptr<TSettingsFile> mSettingsFile;
    bool mSettingsFailureShown = false;
    TKeyValueList mSettings;
    TKeyState mKeys;
    THighScoreTable mHighScores;
    bool mSoundOff = false;
    bool mSoundDisabled = false;
    bool mShown = false;
    struct TPendingEntry {
        std::int32_t Score = 0;
        QString Design;
    };
    std::optional<TPendingEntry> mPendingEntry;

    std::unique_ptr<TMainMenu> mMenu;
    std::unique_ptr<TCuePlayer> mCues;
    std::unique_ptr<TDesignSwitcher> mDesigns;
    std::unique_ptr<TGameCycle> mCycle;
    std::unique_ptr<THelpOpener> mHelp;
    std::unique_ptr<TPauseControl> mPause;
    std::unique_ptr<TSettingsDialogs> mSettingsDialogs;

    // Owned by their Qt parent.
    QTimer *mTimer1 = nullptr;
    QWidget *mClientArea = nullptr;
    TSpriteBox *mPlayBox = nullptr;
    TSpriteBox *mAttractBox = nullptr;
    TLanguage *mLanguage1 = nullptr;
    TLazyChild<TScoreDialog> mScoreDialog;
    TLazyChild<TDesignSelectDialog> mDesignSelectDialog;
    TFieldSign *mPausedLabel = nullptr;
    TFieldSigns *mSigns = nullptr;
    TScreenMode *mScreen = nullptr;
    TFramePump *mFramePump = nullptr;
    TDragComp *mDragComp1 = nullptr;
};
