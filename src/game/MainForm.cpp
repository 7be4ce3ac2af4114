#include "MainForm.h"

#include "AfterFirstPaint.h"
#include "CuePlayer.h"
#include "DesignSwitcher.h"
#include "FramePump.h"
#include "MainMenu.h"
#include "PauseControl.h"
#include "FieldSign.h"
#include "FieldSigns.h"
#include "ScreenMode.h"
#include "SettingsSaver.h"
#include "VolumeSetting.h"

#include "base/ErrorReport.h"
#include "design/SoundRefusalText.h"
#include "sound/SoundImport.h"
#include "base/FileNames.h"
#include "base/Random.h"
#include "design/DesignFolder.h"
#include "design/DesignSelectDialog.h"
#include "design/GamePar.h"
#include "design/MessageBoxPrompts.h"
#include "editor/EditDesign.h"
#include "exchange/DesignArchive.h"
#include "exchange/DragComp.h"
#include "game/dialogs/DesktopServices.h"
#include "game/dialogs/HelpOpener.h"
#include "game/dialogs/ScoreDialog.h"
#include "game/dialogs/SettingsDialogs.h"
#include "lang/Language.h"
#include "pads/Gamepad.h"
#include "play/HighScoreTable.h"
#include "setup/AboutBox.h"
#include "sound/SoundMixer.h"
#include "sprites/Picture.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteBox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTimer>

#include <stdexcept>
#include <utility>

namespace {

const QString kTitle = QStringLiteral("Snapstorm");

// The play box's background: the design's colour, else its picture 0. A
// value that is not a number counts as absent.
void ShowBackground(TSpriteBox &box, const TGamePar &design)
{
    if (const std::optional<QColor> color = design.BackgroundColor()) {
        box.SetImage(QImage());
        box.SetColor(*color);
        return;
    }
    TSprite background;
    design.AssignImage(background, 0);
    const TPicture &picture = background.Picture();
    box.SetImage(picture.IsGif() ? QImage() : picture.ToImage());
}

int SettingAsNumber(const TKeyValueList &settings, const QString &key, int fallback)
{
    bool ok = false;
    const int value = settings.Value(key).toInt(&ok);
    return ok ? value : fallback;
}

} // namespace

TMainForm::TMainForm(TMainFormOptions options, QWidget *parent)
    : QMainWindow(parent)
    , mOptions(std::move(options))
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

QFont TMainForm::GameFont()
{
    return TAttractScreen::TextFont();
}

void TMainForm::FormCreate()
{
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(kTitle);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);
    const QFont font = GameFont();
    setFont(font);
    setFocusPolicy(Qt::StrongFocus);

    mTimer1 = new QTimer(this);
    mTimer1->setObjectName(QStringLiteral("Timer1"));
    mTimer1->setInterval(100);
    mTimer1->setTimerType(Qt::PreciseTimer);
    connect(mTimer1, &QTimer::timeout, this, &TMainForm::OnTimer1);
    mMenu = std::make_unique<TMainMenu>(*this, DesignRoot(), MenuCommands());

    mCues = std::make_unique<TCuePlayer>(this, mOptions.Unattended && !mOptions.OpenSoundDevice);
    // The player sees the window first; sound follows a moment later.
    if (!mOptions.Unattended)
        mCues->DeferOpening();
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            &TMainForm::OnApplicationStateChanged);
    Random::Randomize();
    mDesigns = std::make_unique<TDesignSwitcher>(DesignRoot(), *mCues, mSettings,
                                                 [this](const TGamePar &design) { ShowDesign(design); });

    mClientArea = new QWidget(this);
    setCentralWidget(mClientArea);
    mPlayBox = new TSpriteBox(mClientArea);
    mPlayBox->setObjectName(QStringLiteral("PlayBox"));
    mAttractBox = new TSpriteBox(mClientArea);
    mAttractBox->setObjectName(QStringLiteral("AttractBox"));
    mAttractBox->SetColor(Qt::white);
    for (TSpriteBox *box : {mPlayBox, mAttractBox})
        box->setFocusPolicy(Qt::NoFocus);
    mScreen = new TScreenMode(*this, *mClientArea, {mPlayBox, mAttractBox},
                              {mMenu->Fullscreen1(), mMenu->WholeScaling1()}, mSettings);
    mSigns = new TFieldSigns(*mClientArea,
                             [this](const QString &key) { return mLanguage1->LookupMessage(key); });
    mScreen->OnResized = [this] {
        if (mPausedLabel && mPausedLabel->isVisible())
            ShowPaused(true);
        mSigns->FollowField(mPlayBox->geometry());
    };
    mFramePump = new TFramePump(*mTimer1, {mPlayBox, mAttractBox}, this);

    mPause = std::make_unique<TPauseControl>(
        mMenu->Pause1(), *mTimer1,
        TPauseControl::THooks{.InGame = [this] { return InGame(); },
                              .ShowPaused = [this](bool shown) { ShowPaused(shown); }});

    mSettingsPath = mOptions.SettingsPath;
    if (!mSettingsPath.isEmpty()) {
        mSettingsFile = std::make_unique<TSettingsFile>(
            TSettingsLocation{mSettingsPath, mOptions.SettingsSeedPath});
        mSettingsFile->Load(mSettings);
        new TSettingsSaver(mSettings, [this] { WriteSettings(); }, this);
    }
    mSoundDisabled = mSettings.Value(QStringLiteral("NoDirectSound")) == QLatin1String("1");
    mCues->SetDisabled(mSoundDisabled);

    mLanguage1 = new TLanguage(this);
    mLanguage1->setObjectName(QStringLiteral("Language1"));
    mDesigns->SetLookup([this](const QString &key) { return mLanguage1->LookupMessage(key); });
    mCycle = std::make_unique<TGameCycle>(
        TGameCycleSetup{.Lookup = [this](const QString &key) { return mLanguage1->LookupMessage(key); },
                        .Settings = mSettings,
                        .HighScores = mHighScores},
        mDesigns->Current());
    mPlayBox->SetField(&mCycle->PlayField());
    mAttractBox->SetField(&mCycle->AttractField());
    mDesigns->ApplyStored();
    mCycle->PlaceFixedSprites(SettingAsNumber(mSettings, QStringLiteral("HighScore"), 0));
    mMenu->Sound1().setChecked(SettingAsNumber(mSettings, QStringLiteral("Sound"), 1) != 0);
    mSoundOff = !mMenu->Sound1().isChecked();
    mScreen->ReadSettings();
    mMenu->SmoothMotion1().setChecked(SettingAsNumber(mSettings, QStringLiteral("SmoothMotion"), 1) != 0);
    // The scripted run draws once per tick, whatever the setting says.
    mFramePump->SetEnabled(mMenu->SmoothMotion1().isChecked() && !mOptions.Unattended);
    mCues->SetVolume(VolumeSetting::Read(mSettings));
    mHighScores.Load(mSettings);
    mKeys.SetBindings(TKeyBindings::Read(mSettings));
    // The scripted run plays by its script alone; sound opens and pads are
    // looked for once the window shows.
    if (!mOptions.Unattended)
        TAfterFirstPaint::Run(*mAttractBox, [this] {
            // One box at a time, over a field already drawn.
            mDesigns->ReportStartFailure();
            mDesigns->OpenDeferredSound();
            TGamepad::StartWithSystemPads(*this, mKeys, [this] { return mPause->PlayerReturned(); });
        });

    mScoreDialog.Defer([this] { return new TScoreDialog(this); });
    mDesignSelectDialog.Defer([this] {
        auto *dialog = new TDesignSelectDialog(this, DesignRoot());
        mLanguage1->TranslateWindow(dialog->objectName());
        return dialog;
    });
    mSettingsDialogs = std::make_unique<TSettingsDialogs>(TSettingsDialogsContext{
        *this, mSettings, *mLanguage1, mKeys, *mCues, ProgramDir()});
    mHelp = std::make_unique<THelpOpener>(*this, mOptions.Desktop,
                                          [this](const QString &key) { return mLanguage1->LookupMessage(key); });
    mDragComp1 = new TDragComp(this);
    mDragComp1->setObjectName(QStringLiteral("DragComp1"));
    mDragComp1->SetExtensions(QStringLiteral("ZIP"));
    mDragComp1->OnDropFiles = [this](TDragComp &) {
        ErrorReport::Guard([this] { DragComp1DropFiles(); });
    };
    mLanguage1->SetSeparator(QStringLiteral(";"));
    mLanguage1->SetProperties(TMainMenu::TranslatedProperties());
}

TMenuCommands TMainForm::MenuCommands()
{
    return {.NewGame = [this] { NewGameClick(); },
            .StopGame = [this] { StopGameClick(); },
            .PauseGame = [this] { PauseGameClick(); },
            .Demo = [this] { Demo1Click(); },
            .Sound = [this] { Sound1Click(); },
            .Volume = [this] { mSettingsDialogs->Volume(); },
            .Keys = [this] { mSettingsDialogs->Keys(); },
            .Exit = [this] { Exit1Click(); },
            .DesignGame = [this] { DesignGameClick(); },
            .Gallery = [this] { Gallery1Click(); },
            .Language = [this] { Language2Click(); },
            .SmoothMotion = [this] { SmoothMotion1Click(); },
            .Index = [this] { Index1Click(); },
            .Info = [this] { Info1Click(); },
            .DesignChosen = [this](const QString &name) { DesignItemClick(name); },
            // A game does not go on under an open menu.
            .MenuOpened = [this] { mPause->Interrupt(); }};
}

void TMainForm::FormShow()
{
    if (mSettings.Value(QStringLiteral("Language")).isEmpty())
        ErrorReport::Guard([this] { Language2Click(); });
    mLanguage1->SetLanguageFile(
        TLanguage::StoredLanguageFilePath(ProgramDir(), mSettings.Value(QStringLiteral("Language"))));
    try {
        mLanguage1->Translate();
    } catch (const std::exception &) {
        // A language file that cannot be applied leaves the built-in captions.
    }
    // A scripted run reports at once (to standard error), the window
    // once its first frame is drawn.
    if (mOptions.Unattended)
        mDesigns->ReportStartFailure();
    mPlayBox->hide();
    mAttractBox->hide();
    mSoundOff = !mMenu->Sound1().isChecked();
    mPause->Start();
    mCycle->ShowAttract();
    FollowCycle();
}

void TMainForm::FormDestroy()
{
    mTimer1->stop();
    ReleaseSounds();
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
    mTimer1->stop();
    WriteSettings();
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    mTimer1->stop();
    ReleaseSounds();
    event->accept();
}

void TMainForm::keyPressEvent(QKeyEvent *event)
{
    // Modifiers come before menu keys; they are not the player's answer.
    const bool modifierOnly = event->key() == Qt::Key_Shift || event->key() == Qt::Key_Control
                              || event->key() == Qt::Key_Alt || event->key() == Qt::Key_Meta;
    if (!event->isAutoRepeat() && !modifierOnly && mPause->PlayerReturned())
        return;
    if (StartKey(*event)) {
        StartGame(false);
        return;
    }
    if (!mKeys.HandleKeyEvent(*event))
        QMainWindow::keyPressEvent(event);
}

// Space or Enter on the attract screen or in the demo. Only a fresh press
// counts: the Enter that closed a dialog was pressed there, and only its
// release (or its auto-repeat) reaches the window.
bool TMainForm::StartKey(const QKeyEvent &event) const
{
    const int key = event.key();
    if (event.isAutoRepeat() || (event.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier
        || (key != Qt::Key_Space && key != Qt::Key_Return && key != Qt::Key_Enter))
        return false;
    const std::uint32_t state = mCycle->Round().GameState();
    return state == gsAttract || state == gsAttractWaiting || state == gsDemo;
}

void TMainForm::keyReleaseEvent(QKeyEvent *event)
{
    if (!mKeys.HandleKeyEvent(*event))
        QMainWindow::keyReleaseEvent(event);
}

void TMainForm::mousePressEvent(QMouseEvent *event)
{
    if (!mPause->PlayerReturned())
        QMainWindow::mousePressEvent(event);
}

void TMainForm::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (!mPause)
        return;
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) {
        mKeys.ReleaseAll();
        // Also when a dialog of our own takes the focus.
        mPause->Interrupt();
    }
    if (event->type() == QEvent::WindowStateChange)
        mPause->SetMinimised(isMinimized());
}

void TMainForm::OnApplicationStateChanged(Qt::ApplicationState state)
{
    if (state != Qt::ApplicationActive && mPause)
        mPause->Interrupt();
    ErrorReport::Guard([&] { mCues->SetActivated(state == Qt::ApplicationActive); });
}

bool TMainForm::InGame() const
{
    return mCycle->InGame();
}

void TMainForm::ShowPaused(bool shown)
{
    if (!shown) {
        if (mPausedLabel)
            mPausedLabel->hide();
        return;
    }
    if (!mPausedLabel)
        mPausedLabel = new TFieldSign(mClientArea, QStringLiteral("PausedLabel"));
    mPausedLabel->ShowOver(mPlayBox->geometry(), mLanguage1->LookupMessage(QStringLiteral("Paused")));
}

void TMainForm::OnTimer1()
{
    mFramePump->TickStarted();
    ErrorReport::Guard([this] { Timer1Timer(); }, [this] { mTimer1->stop(); });
    if (mPendingEntry)
        QMetaObject::invokeMethod(this, &TMainForm::EnterPendingHighScore, Qt::QueuedConnection);
}

void TMainForm::EnterPendingHighScore()
{
    if (!mPendingEntry)
        return;
    const TPendingEntry entry = *mPendingEntry;
    mPendingEntry.reset();
    // Still part of ending the game: a failure stops the timer like one in a tick.
    ErrorReport::Guard([&] { EnterHighScore(entry.Score, entry.Design); }, [this] { mTimer1->stop(); });
}

void TMainForm::Timer1Timer()
{
    Follow(mCycle->Tick(mKeys));
}

void TMainForm::Follow(const TTickResult &result)
{
    for (const TCue cue : result.Cues)
        PlayCue(cue);
    if (result.GameEnded)
        mSettings.SetValue(QStringLiteral("HighScore"), QString::number(*result.GameEnded));
    if (result.HighScoreEntry)
        mPendingEntry = TPendingEntry{*result.HighScoreEntry, GamePar().DesignName()};
    if (result.GameStarted) {
        ReleaseSounds();
        LoadSounds();
        // A new game runs, whatever paused the one before.
        mPause->Resume();
    }
    mSigns->Follow(result, mCycle->Round().GameState() == gsDemo, mPlayBox->geometry());
}

void TMainForm::FollowCycle()
{
    Follow(mCycle->TakeEvents());
}

void TMainForm::NewGameClick()
{
    StartGame(false);
}

void TMainForm::Demo1Click()
{
    StartGame(true);
}

void TMainForm::StartGame(bool demo)
{
    mCycle->StartGame(demo);
    FollowCycle();
}

void TMainForm::StopGameClick()
{
    const bool stopped = mCycle->StopGame();
    FollowCycle();
    if (stopped)
        mPause->GameStopped();
}

void TMainForm::PauseGameClick()
{
    // The action toggled its own check mark already.
    mPause->Toggled();
}

void TMainForm::Sound1Click()
{
    mSoundOff = !mMenu->Sound1().isChecked();
    mSettings.SetValue(QStringLiteral("Sound"), mSoundOff ? QStringLiteral("0") : QStringLiteral("1"));
}

void TMainForm::SmoothMotion1Click()
{
    const bool on = mMenu->SmoothMotion1().isChecked();
    mSettings.SetValue(QStringLiteral("SmoothMotion"), on ? QStringLiteral("1") : QStringLiteral("0"));
    mFramePump->SetEnabled(on && !mOptions.Unattended);
}

void TMainForm::Exit1Click()
{
    close();
}

void TMainForm::DesignItemClick(const QString &designName)
{
    const std::uint32_t noted = mCycle->BeginDesignChange();
    // Also after a failure: the window may have changed size before the
    // design's sounds failed to load.
    auto restore = [&] {
        mCycle->EndDesignChange(noted);
        FollowCycle();
    };
    try {
        ApplyDesign(designName);
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

void TMainForm::ApplyDesign(const QString &name)
{
    mDesigns->Apply(name);
}

const TGamePar &TMainForm::GamePar() const
{
    return mDesigns->Current();
}

void TMainForm::ShowDesign(const TGamePar &design)
{
    SetClientSize(design.ClientWidth(), design.ClientHeight());
    setWindowTitle(design.IsDefault() ? kTitle
                                      : kTitle + QStringLiteral(" [") + design.DesignName()
                                            + QLatin1Char(']'));
    mCycle->ApplyDesign(design);
    ShowBackground(*mPlayBox, design);
}

void TMainForm::SetClientSize(int width, int height)
{
    mScreen->SetFieldSize(QSize(width, height));
}

void TMainForm::Language2Click()
{
    // The attract screen's text is built from the language: rebuilt at once.
    if (!mOptions.Unattended && mSettingsDialogs->Language())
        mCycle->RebuildScrollText();
}

namespace {

// The editor's "play": a design's own wave made elsewhere that fails is
// named, in the player's language.
void PlayPreview(TCuePlayer &cues, const TLanguage &language, const QString &file)
{
    try {
        cues.PlayPreview(file);
    } catch (const ESoundRefused &refusal) {
        throw std::runtime_error(
            SoundRefusalText(refusal, [&](const QString &key) { return language.LookupMessage(key); })
                .toStdString());
    }
}

} // namespace

void TMainForm::DesignGameClick()
{
    mTimer1->stop();
    mCycle->StopRound();
    FollowCycle();
    ReleaseSounds();
    // Whatever the editor did, the game comes back on the attract screen.
    auto restart = qScopeGuard([this] {
        mCycle->StopRound();
        mCycle->ShowAttract();
        FollowCycle();
        mPause->Resume();
    });
    const QString edited = EditDesign({.Parent = this,
                                       .DesignName = GamePar().DesignName(),
                                       .Settings = &mSettings,
                                       .LanguageFile = mLanguage1->LanguageFile(),
                                       .Roots = DesignRoot(),
                                       .SelectDialog = mDesignSelectDialog.Get(),
                                       .Unattended = mOptions.Unattended,
                                       .PlaySound = [this](const QString &file) { PlayPreview(*mCues, *mLanguage1, file); },
                                       .OpenOrTell = [this](QWidget *over, const QString &target, const QString &message,
                                                            const QString &path) {
                                           mHelp->OpenOrTell(over, target, message, path);
                                       }});
    mDesigns->ApplyEdited(edited);
}

void TMainForm::Gallery1Click()
{
    // A scripted run has no one to choose.
    if (mOptions.Unattended)
        return;
    TDesignSelectDialog *gallery = mDesignSelectDialog.Get();
    gallery->SetDesignName(GamePar().DesignName());
    if (!gallery->Execute(false))
        return;
    // Default goes by the empty name, as its menu item does.
    const QString chosen = gallery->DesignName();
    DesignItemClick(IsDefaultDesignName(chosen) ? QString() : chosen);
}

void TMainForm::Info1Click()
{
    TAboutBox(this).exec();
}

void TMainForm::Index1Click()
{
    mHelp->OpenHelp(ProgramDir(), mLanguage1->LookupMessage(QStringLiteral("HelpFile")));
}

void TMainForm::DragComp1DropFiles()
{
    ImportDroppedFiles(mDragComp1->DroppedFiles());
}

void TMainForm::ImportDroppedFiles(const QStringList &files)
{
    mTimer1->stop();
    // On again however the import ends, errors included.
    const auto restart = qScopeGuard([this] { mTimer1->start(); });
    if (files.isEmpty())
        return;
    const QString path = files.first();
    if (QFileInfo(path).suffix().compare(QLatin1String("zip"), Qt::CaseInsensitive) != 0)
        return;
    mCycle->StopRound();
    FollowCycle();
    TMessageBoxPrompts prompts(this, mOptions.Unattended);
    if (ImportDesignZip(path, *mLanguage1, prompts, DesignRoot().Player())) {
        ApplyDesign(DesignNameOfArchive(path));
    }
    mCycle->StopRound();
    mCycle->ShowAttract();
    FollowCycle();
    mPause->GameStopped();
}

void TMainForm::EnterHighScore(std::int32_t score, const QString &designName)
{
    auto askName = [this](TScoreTitle title, std::int32_t score) {
        return mScoreDialog->AskFor(title, score, [this](const QString &key) {
            return mLanguage1->LookupMessage(key);
        });
    };
    if (!mHighScores.Enter(score, designName, mSettings, askName))
        return;
    WriteSettings();
    mCycle->RebuildScrollText();
}

bool TMainForm::WriteSettings()
{
    if (!mSettingsFile)
        return false;
    if (!mSettingsFile->Save(mSettings)) {
        // Once is enough: nothing the player does between writes mends it.
        if (!std::exchange(mSettingsFailureShown, true))
            ErrorReport::Show(mSettingsFile->ErrorString());
        return false;
    }
    // The other copy's scores came in with the merge.
    mHighScores.Load(mSettings);
    return true;
}

void TMainForm::ReleaseSounds()
{
    mDesigns->ReleaseSounds();
}

void TMainForm::LoadSounds()
{
    mDesigns->LoadSounds();
}

void TMainForm::PlayCue(TCue cue)
{
    if (!mSoundOff)
        mCues->PlayCue(cue);
}

TDesignRoots TMainForm::DesignRoot() const
{
    return mOptions.DesignRoot.isEmpty() ? TDesignRoots::Standard() : TDesignRoots(mOptions.DesignRoot);
}

QString TMainForm::ProgramDir() const
{
    return mOptions.ProgramDir.isEmpty() ? ProgramDataDir() : mOptions.ProgramDir;
}
