#include "MainForm.h"

#include "AfterFirstPaint.h"
#include "session/CuePlayer.h"
#include "session/GameSession.h"
#include "FramePump.h"
#include "MainMenu.h"

#include "base/ErrorReport.h"
#include "design/SoundRefusalText.h"
#include "sound/SoundImport.h"
#include "base/FileNames.h"
#include "design/GamePar.h"
#include "game/DragComp.h"
#include "game/dialogs/ScoreDialog.h"
#include "game/dialogs/SettingsDialogs.h"
#include "lang/ui/Language.h"
#include "pads/Gamepad.h"
#include "sprites/ui/SpriteBox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QTimer>

#include <stdexcept>
#include <utility>

// The window's title; a design other than Default adds its name.
static const QString kTitle = QStringLiteral("Snapstorm");

TMainForm::TMainForm(TMainFormOptions options, QWidget *parent)
    : QMainWindow(parent)
    , mOptions(std::move(options))
    , mPrompts(this, mOptions.Unattended)
{
    setObjectName(QStringLiteral("MainForm"));
    FormCreate();
}

TMainForm::~TMainForm()
{
    // Destroying a shown window hides it first, which writes the settings,
    // also when the application quits without the window being closed.
    if (isVisible())
        hide();
    FormDestroy();
}

void TMainForm::FormCreate()
{
    SetUpWindow();
    mCommands = MenuCommands();
    mMenu = std::make_unique<TMainMenu>(*this, mOptions.DesignRoots(), mCommands);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, &TMainForm::OnApplicationStateChanged);
    mLanguage1 = new TLanguage(this);
    mLanguage1->setObjectName(QStringLiteral("Language1"));
    mSession = std::make_unique<TGameSession>(
        TSessionOptions{.SettingsPath = mOptions.SettingsPath, .SettingsSeedPath = mOptions.SettingsSeedPath,
                        .Unattended = mOptions.Unattended, .OpenSoundDevice = mOptions.OpenSoundDevice,
                        .DesignRoot = mOptions.DesignRoot, .ReplayFolder = mOptions.ReplayFolderOrDefault()},
        static_cast<TSessionView &>(*this), mLanguage1->Messages(), this);
    mArea = new TPlayArea(*this, {mMenu->Fullscreen1(), mMenu->WholeScaling1()}, mSession->Settings(),
                          mLanguage1->Messages());
    setCentralWidget(mArea);
    mFramePump = new TFramePump(*mTimer1, {&mArea->PlayBox(), &mArea->AttractBox()}, this);
    mArea->ShowFields(mSession->Cycle());
    mSession->ApplyStored();
    mArea->ReadSettings();
    CreateHelpers();
}

void TMainForm::SetUpWindow()
{
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(kTitle);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);
    setFont(GameFont());
    setFocusPolicy(Qt::StrongFocus);
    mTimer1 = new QTimer(this);
    mTimer1->setObjectName(QStringLiteral("Timer1"));
    mTimer1->setInterval(100);
    mTimer1->setTimerType(Qt::PreciseTimer);
    connect(mTimer1, &QTimer::timeout, this, &TMainForm::OnTimer1);
}

void TMainForm::CreateHelpers()
{
    mMenu->Sound1().setChecked(mSession->SoundOn());
    mMenu->SmoothMotion1().setChecked(mSession->SmoothMotion());
    // The scripted run draws once per tick, whatever the setting says.
    mFramePump->SetEnabled(mSession->SmoothMotion() && !mOptions.Unattended);
    // The scripted run plays by its script alone; sound opens and pads are
    // looked for once the window shows.
    if (!mOptions.Unattended)
        TAfterFirstPaint::Run(mArea->AttractBox(), [this] { StartDevices(); });
    mScoreDialog.Defer([this] { return new TScoreDialog(this); });
    mSettingsDialogs = std::make_unique<TSettingsDialogs>(TSettingsDialogsContext{
        *this, mSession->Settings(), *mLanguage1, mSession->Keys(), mSession->Cues(), mOptions.ProgramFolder()});
    mDialogs = std::make_unique<TGameDialogs>(TGameDialogsContext{
        *this, *mSession, *mLanguage1, mOptions.DesignRoots(), mOptions.ProgramFolder(), mOptions.Unattended, mOptions.Desktop});
    mDragComp1 = TDragComp::ForArchives(this, [this](const QStringList &files) {
        ErrorReport::Guard([&] { mSession->ImportDroppedFiles(files); });
    });
    mLanguage1->SetSeparator(QStringLiteral(";"));
    mLanguage1->SetProperties(TMainMenu::TranslatedProperties());
}

void TMainForm::StartDevices()
{
    // One box at a time, over a field already drawn.
    mSession->ReportStartFailure();
    mSession->OpenDeferredSound();
    TGamepad::StartWithSystemPads(*this, mSession->Keys(), PadCommands());
}

void TMainForm::AttachGamepad(std::unique_ptr<TControllerSource> source)
{
    new TGamepad(*this, mSession->Keys(), std::move(source), PadCommands());
}

TGamepadCommands TMainForm::PadCommands()
{
    return {.PlayerReturned = [this] { return mSession->PlayerReturned(); },
            .NewGame = mCommands.NewGame,
            .StopGame = mCommands.StopGame,
            .HighScores = mSession->BetweenGamesOnly(mCommands.HighScores),
            .Gallery = mSession->BetweenGamesOnly(mCommands.Gallery),
            .PadUsed = [this] { mArea->SetPadInput(true); }};
}

TMenuCommands TMainForm::MenuCommands()
{
    return {.NewGame = [this] { NewGameClick(); },
            .StopGame = [this] { StopGameClick(); },
            .PauseGame = [this] { PauseGameClick(); },
            .Demo = [this] { Demo1Click(); },
            .HighScores = [this] { mDialogs->HighScores(); },
            .Sound = [this] { mSession->SetSound(mMenu->Sound1().isChecked()); },
            .Volume = [this] { mSettingsDialogs->Volume(); },
            .Keys = [this] { mSettingsDialogs->Keys(); },
            .Exit = [this] { Exit1Click(); },
            .DesignGame = [this] { mDialogs->EditDesign(); },
            .Gallery = [this] { mDialogs->Gallery(); },
            .Language = [this] { Language2Click(); },
            .SmoothMotion = [this] { SmoothMotion1Click(); },
            .Index = [this] { mDialogs->Help(); },
            .Info = [this] { mDialogs->Info(); },
            .DesignChosen = [this](const QString &name) { DesignItemClick(name); },
            // A game does not go on under an open menu.
            .MenuOpened = [this] { mSession->Interrupt(); }};
}

void TMainForm::FormShow()
{
    if (mSession->Settings().Value(QStringLiteral("Language")).isEmpty())
        ErrorReport::Guard([this] { Language2Click(); });
    mLanguage1->ApplyStored(mOptions.ProgramFolder(), mSession->Settings().Value(QStringLiteral("Language")));
    mArea->HideBoxes();
    mSession->Start();
}

void TMainForm::FormDestroy()
{
    mSession->StopTimer();
    mSession->ReleaseSounds();
}

bool TMainForm::event(QEvent *event)
{
    // Esc ends a game being watched before it leaves fullscreen.
    if (event->type() == QEvent::ShortcutOverride && mSession && mSession->Watching()
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    return QMainWindow::event(event);
}

void TMainForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (mShown)
        return;
    mShown = true;
    FormShow();
}

void TMainForm::hideEvent(QHideEvent *event)
{
    QMainWindow::hideEvent(event);
    // Minimising hides the window too; only a real hide ends the program.
    if (event->spontaneous() || isMinimized())
        return;
    mSession->StopTimer();
    mSession->WriteSettings();
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    FormDestroy();
    event->accept();
}

void TMainForm::keyPressEvent(QKeyEvent *event)
{
    mArea->SetPadInput(false);
    const bool modifiers = (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier;
    if (mSession->KeyPressed(event->key(), modifiers, event->isAutoRepeat()))
        return;
    if (!mSession->Keys().HandleKeyEvent(*event))
        QMainWindow::keyPressEvent(event);
}

void TMainForm::keyReleaseEvent(QKeyEvent *event)
{
    if (!mSession->Keys().HandleKeyEvent(*event))
        QMainWindow::keyReleaseEvent(event);
}

void TMainForm::mousePressEvent(QMouseEvent *event)
{
    if (!mSession->PlayerReturned())
        QMainWindow::mousePressEvent(event);
}

void TMainForm::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (!mSession)
        return;
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) {
        mSession->Keys().ReleaseAll();
        // Also when a dialog of our own takes the focus.
        mSession->Interrupt();
    }
    if (event->type() == QEvent::WindowStateChange)
        mSession->SetMinimised(isMinimized());
}

void TMainForm::OnApplicationStateChanged(Qt::ApplicationState state)
{
    if (mSession)
        mSession->SetActivated(state == Qt::ApplicationActive);
}

void TMainForm::OnTimer1()
{
    mFramePump->TickStarted();
    mSession->Tick();
    if (mSession->EntryPending())
        QMetaObject::invokeMethod(this, &TMainForm::EnterPendingHighScore, Qt::QueuedConnection);
}

void TMainForm::SmoothMotion1Click()
{
    const bool on = mMenu->SmoothMotion1().isChecked();
    mSession->SetSmoothMotion(on);
    mFramePump->SetEnabled(on && !mOptions.Unattended);
}

void TMainForm::ShowDesign(const TGamePar &design)
{
    mArea->ShowDesign(design);
    setWindowTitle(design.IsDefault() ? kTitle
                                      : kTitle + QStringLiteral(" [") + design.DesignName()
                                            + QLatin1Char(']'));
}

void TMainForm::ShowPause(const TPauseControl::TState &state)
{
    mMenu->Pause1().setChecked(state.PauseChecked);
    mArea->ShowPaused(state.ShowPaused);
}

std::optional<QString> TMainForm::AskName(TScoreTitle title, std::int32_t score)
{
    mScoreDialog->SetPadMode(mArea->PadInput(), mLanguage1->LookupMessage(QStringLiteral("PadLetters")));
    return mScoreDialog->AskFor(title, score, mLanguage1->Messages(),
                                mSession->Settings().Value(QStringLiteral("LastName")));
}

void TMainForm::Language2Click()
{
    // The attract screen's text is built from the language: rebuilt at once.
    if (!mOptions.Unattended && mSettingsDialogs->Language())
        mSession->LanguageChanged();
}
