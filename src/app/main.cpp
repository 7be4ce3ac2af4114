#include "base/ErrorReport.h"
#include "base/FileNames.h"
#include "base/QuitOnSignal.h"
#include "game/MainForm.h"
#include "game/ModalDialogs.h"
#include "game/ReplayRunner.h"
#include "setup/ProgramIcon.h"
#include "setup/SetupForm.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QTextStream>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

struct TReplayOptions {
    QString Script;
    QString Trace;
    QString Settings;
};

// "--replay SCRIPT [--trace FILE] [--settings FILE]"; none: a normal start.
std::optional<TReplayOptions> ParseReplayOptions(int argc, char **argv)
{
    if (argc < 3 || QString::fromLocal8Bit(argv[1]) != QLatin1String("--replay"))
        return std::nullopt;
    TReplayOptions options;
    options.Script = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i + 1 < argc; i += 2) {
        const QString flag = QString::fromLocal8Bit(argv[i]);
        const QString value = QString::fromLocal8Bit(argv[i + 1]);
        if (flag == QLatin1String("--trace"))
            options.Trace = value;
        else if (flag == QLatin1String("--settings"))
            options.Settings = value;
    }
    return options;
}

int RunReplay(const TReplayOptions &options)
{
    ErrorReport::SetHandler([](const QString &message) {
        std::fprintf(stderr, "error: %s\n", message.toUtf8().constData());
    });
    QFile script(options.Script);
    if (!script.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(options.Script));
        return 2;
    }
    const QStringList lines = QString::fromUtf8(script.readAll()).split(QLatin1Char('\n'));
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
    std::unique_ptr<TMainForm> form;
    try {
        form = std::make_unique<TMainForm>(TMainFormOptions{.SettingsPath = options.Settings, .Unattended = true});
    } catch (const std::exception &e) {
        std::fprintf(stderr, "cannot start: %s\n", e.what());
        return 1;
    }
    form->FormShow();
    TReplayRunner runner(*form, trace);
    try {
        runner.Run(lines);
    } catch (const EReplayError &e) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(options.Script), e.what());
        return 1;
    }
    trace.flush();
    form->WriteSettings();
    return 0;
}

// Started with one archive (a file manager's "open with"): it is imported
// as if dropped on the window, once the window shows.
int RunGame(const QString &archive)
{
    ErrorReport::SetHandler([](const QString &message) {
        QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(), message);
    });
    // Before anything can ask a question: a signal is never lost.
    TQuitOnSignal quitOnSignal;
    QObject::connect(&quitOnSignal, &TQuitOnSignal::Received, &RejectModalDialogs);
    const QFileInfo exe(QCoreApplication::applicationFilePath());
    const TSettingsLocation settings =
        TSettingsFile::Locate(exe.absolutePath(), exe.completeBaseName(), UserConfigDir());
    std::unique_ptr<TMainForm> form;
    try {
        form = std::make_unique<TMainForm>(
            TMainFormOptions{.SettingsPath = settings.Path, .SettingsSeedPath = settings.SeedPath});
    } catch (const std::exception &e) {
        // Not even the Default design could be loaded.
        ErrorReport::Show(QString::fromUtf8(e.what()));
        return 1;
    }
    // A signal during start-up (the first-start question included) ends
    // the program here; hiding the shown window writes the settings.
    const bool shown = !quitOnSignal.Requested();
    if (shown)
        form->show();
    if (shown && !archive.isEmpty()) {
        QTimer::singleShot(0, form.get(), [&form, archive] {
            ErrorReport::Guard([&] { form->ImportDroppedFiles({archive}); });
        });
    }
    const int result = quitOnSignal.Requested() ? 0 : QApplication::exec();
    if (!shown)
        form->WriteSettings();
    form.reset();
    return result;
}

} // namespace

int main(int argc, char **argv)
{
    const std::optional<TReplayOptions> replay = ParseReplayOptions(argc, argv);
    if (replay) {
        // Nothing may need a display or a sound device in a scripted run.
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Snapstorm"));
    QApplication::setApplicationVersion(QStringLiteral(SNAPSTORM_VERSION));
    QApplication::setWindowIcon(LoadProgramIcon(QCoreApplication::applicationDirPath()));

    if (replay)
        return RunReplay(*replay);
    if (argc > 1 && QString::fromLocal8Bit(argv[1]) == QLatin1String("setup")) {
        ErrorReport::SetHandler([](const QString &message) {
            QMessageBox::critical(QApplication::activeWindow(), QStringLiteral("Snapstorm Setup"), message);
        });
        TQuitOnSignal quitOnSignal;
        QObject::connect(&quitOnSignal, &TQuitOnSignal::Received, &RejectModalDialogs);
        TSetupForm setup;
        setup.show();
        return quitOnSignal.Requested() ? 0 : QApplication::exec();
    }
    const QString archive = argc == 2 ? QString::fromLocal8Bit(argv[1]) : QString();
    return RunGame(archive.endsWith(QLatin1String(".zip"), Qt::CaseInsensitive) ? archive : QString());
}
