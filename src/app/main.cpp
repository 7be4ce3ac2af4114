#include "CommandLine.h"
#include "FirstFrameProbe.h"
#include "FontWarmUp.h"
#include "ModalDialogs.h"
#include "ReplayView.h"
#include "RunningGame.h"
#include "SingleInstance.h"

#include "base/ErrorReport.h"
#include "base/FileNames.h"
#include "base/QuitOnSignal.h"
#include "base/ScratchFolder.h"
#include "design/DesignFolder.h"
#include "design/StagedFolder.h"
#include "game/AfterFirstPaint.h"
#include "game/MainForm.h"
#include "lang/MessageLookup.h"
#include "lang/ui/Language.h"
#include "session/GameSession.h"
#include "session/ReplayRunner.h"
#include "session/SettingsFile.h"
#include "setup/ProgramIcon.h"
#include "setup/SetupForm.h"
#include "sprites/ui/SpriteBox.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QTextStream>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

QStringList ArgumentsOf(int argc, char **argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    return args;
}

// Help, version and a bad option are answered without a display.
std::optional<int> Answer(const TCommandLine &line, const char *program)
{
    const QString name = QString::fromLocal8Bit(program).section(QLatin1Char('/'), -1);
    switch (line.Action) {
    case TCommandLine::Help:
        std::fputs(qPrintable(TCommandLine::Usage(name)), stdout);
        return 0;
    case TCommandLine::Version:
        std::printf("Snapstorm %s\n", SNAPSTORM_VERSION);
        return 0;
    case TCommandLine::BadOption:
        std::fprintf(stderr, "%s: unknown option \"%s\"\n%s", qPrintable(name),
                     qPrintable(line.Option), qPrintable(TCommandLine::Usage(name)));
        return 2;
    default:
        return std::nullopt;
    }
}

void SetProgramIcon()
{
    QApplication::setWindowIcon(LoadProgramIcon(ProgramDataDir()));
}

int RunReplay(const TCommandLine &options)
{
    ErrorReport::SetHandler([](const QString &message) {
        std::fprintf(stderr, "error: %s\n", message.toUtf8().constData());
    });
    QFile script(options.Script);
    if (!script.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(options.Script));
        return 2;
    }
    const QByteArray bytes = script.readAll();
    // A recorded game plays as a script of its own.
    std::optional<TGameRecording> game;
    if (TGameRecording::IsRecording(bytes)) {
        try {
            game = TGameRecording::Parse(bytes);
        } catch (const EReplayError &e) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(options.Script), e.what());
            return 1;
        }
    }
    const QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    QFile traceFile;
    if (options.Trace.isEmpty()) {
        traceFile.open(stdout, QIODevice::WriteOnly);
    } else {
        traceFile.setFileName(options.Trace);
        if (!traceFile.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(options.Trace));
            return 2;
        }
    }
    QTextStream trace(&traceFile);
    TReplayView view;
    // The session reads the settings, which name the language.
    auto language = std::make_shared<TMessageLookup>();
    const TMessageLookup messages = [language](const QString &key) {
        return *language ? (*language)(key) : key;
    };
    QObject soundOwner;
    std::unique_ptr<TGameSession> session;
    try {
        session = std::make_unique<TGameSession>(
            TSessionOptions{.SettingsPath = options.Settings, .Unattended = true}, view, messages, &soundOwner);
        view.Attach(*session);
        session->ApplyStored();
    } catch (const std::exception &e) {
        std::fprintf(stderr, "cannot start: %s\n", e.what());
        return 1;
    }
    *language = LanguageFileMessages(TLanguage::StoredLanguageFilePath(
        ProgramDataDir(), session->Settings().Value(QStringLiteral("Language"))));
    session->Start();
    TReplayRunner runner(*session, trace, [&view] { return view.Snap(); });
    view.SetNameSource([&runner] { return runner.TakeName(); });
    try {
        game ? runner.RunRecording(*game) : runner.Run(lines);
    } catch (const EReplayError &e) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(options.Script), e.what());
        return 1;
    }
    trace.flush();
    // A trace or settings file the disk could not take is a failed run.
    if (!traceFile.flush() || traceFile.error() != QFileDevice::NoError) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(options.Trace),
                     qPrintable(traceFile.errorString()));
        return 1;
    }
    const bool saved = session->WriteSettings();
    return saved || options.Settings.isEmpty() ? 0 : 1;
}

TSettingsLocation GameSettings()
{
    const QFileInfo exe(QCoreApplication::applicationFilePath());
    return TSettingsFile::Locate(exe.absolutePath(), exe.completeBaseName(), UserConfigDir());
}

// A later start's archive is imported as if dropped on the window.
void ImportLater(TMainForm &form, const QString &archive)
{
    RunningGame::WhenNoDialogIsOpen(form, [&form, archive] {
        ErrorReport::Guard([&] { form.ImportDroppedFiles({archive}); });
    });
}

// Started with one archive (a file manager's "open with"): it is imported
// as if dropped on the window, once the window shows.
int RunGame(const QString &archive, const TSettingsLocation &settings, TSingleInstance &instance)
{
    const TFontWarmUp fonts(TMainForm::GameFont());
    ErrorReport::SetHandler([](const QString &message) {
        QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(), message);
    });
    // Before anything can ask a question: a signal is never lost.
    TQuitOnSignal quitOnSignal;
    QObject::connect(&quitOnSignal, &TQuitOnSignal::Received, &RejectModalDialogs);
    std::unique_ptr<TMainForm> form;
    try {
        form = std::make_unique<TMainForm>(
            TMainFormOptions{.SettingsPath = settings.Path, .SettingsSeedPath = settings.SeedPath});
    } catch (const std::exception &e) {
        // Not even the Default design could be loaded.
        ErrorReport::Show(QString::fromUtf8(e.what()));
        return 1;
    }
    // Taken from here on, also while the first-start question is open.
    QObject::connect(&instance, &TSingleInstance::Requested, form.get(), [&form](const QString &later) {
        RunningGame::BringToFront(*form);
        if (!later.isEmpty())
            ImportLater(*form, later);
    });
    // A signal during start-up (the first-start question included) ends
    // the program here; hiding the shown window writes the settings.
    const bool shown = !quitOnSignal.Requested();
    if (shown) {
        // The attract screen is the first thing the window paints.
        TSpriteBox &attractBox = form->AttractBox();
        // Decoding the icon files waits until the window shows.
        TAfterFirstPaint::Run(attractBox, &SetProgramIcon);
        TFirstFrameProbe::WatchIfAsked(&attractBox);
        form->show();
    }
    if (shown && !archive.isEmpty())
        ImportLater(*form, archive);
    const int result = quitOnSignal.Requested() ? 0 : QApplication::exec();
    if (!shown)
        form->Session().WriteSettings();
    form.reset();
    return result;
}

} // namespace

int main(int argc, char **argv)
{
    const TCommandLine early = TCommandLine::Parse(ArgumentsOf(argc, argv));
    // Other options may still be the toolkit's, known only once it has run.
    const bool replayAsked = argc > 1 && std::strcmp(argv[1], "--replay") == 0;
    if (early.Action == TCommandLine::Help || early.Action == TCommandLine::Version
        || (replayAsked && early.Action == TCommandLine::BadOption))
        return *Answer(early, argv[0]);
    if (early.Action == TCommandLine::Replay) {
        // Nothing may need a display or a sound device in a scripted run.
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    // The toolkit has taken its own options out of argv by now.
    const TCommandLine line = TCommandLine::Parse(ArgumentsOf(argc, argv));
    if (const std::optional<int> answered = Answer(line, argv[0]))
        return *answered;
    QApplication::setApplicationName(QStringLiteral("Snapstorm"));
    QApplication::setApplicationVersion(QStringLiteral(SNAPSTORM_VERSION));
    // Compositors find the window's name and icon through its desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral(SNAPSTORM_APP_ID));
    // A game already running for this player and installation takes the
    // request; a design archive is handed over by its full path.
    const TSettingsLocation settings = GameSettings();
    TSingleInstance instance(settings.Path);
    if (line.Action == TCommandLine::Game
        && instance.HandOverOrListen(line.Archive.isEmpty() ? QString() : QFileInfo(line.Archive).absoluteFilePath())
               == TSingleInstance::THandOver::Taken)
        return 0;
    // A design save cut short by a crash or a kill is finished or undone
    // before any design is read.
    TStagedFolder::RecoverLeftovers(TDesignRoots::Standard().Player());
    // Undo copies and export parts of copies that were killed.
    TScratchFolder::RemoveAbandoned(TScratchFolder::StandardBase());

    if (line.Action == TCommandLine::Replay)
        return RunReplay(line);
    if (line.Action == TCommandLine::Setup) {
        ErrorReport::SetHandler([](const QString &message) {
            QMessageBox::critical(QApplication::activeWindow(), QStringLiteral("Snapstorm Setup"), message);
        });
        TQuitOnSignal quitOnSignal;
        QObject::connect(&quitOnSignal, &TQuitOnSignal::Received, &RejectModalDialogs);
        SetProgramIcon();
        TSetupForm setup;
        setup.show();
        return quitOnSignal.Requested() ? 0 : QApplication::exec();
    }
    return RunGame(line.Archive, settings, instance);
}
