#include "FuzzSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// Qt's warnings about damaged pictures would drown libFuzzer's own output
// and slow every run down.
void QuietMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "Qt fatal: %s\n", qPrintable(message));
        std::abort();
    }
}

} // namespace

void FuzzInitQt(int *argc, char ***argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    qInstallMessageHandler(QuietMessages);
    // Kept for the whole process: libFuzzer never returns to main.
    static auto *app = new QApplication(*argc, *argv);
    (void)app;
}

const QString &FuzzScratchDir()
{
    // Memory-backed when possible: the atomic saves under test sync to disk,
    // which would otherwise bound a target to a few runs a second.
    const QString base = QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm")
                                                                          : QDir::tempPath();
    static const auto dir = std::make_unique<QTemporaryDir>(base + QStringLiteral("/snapstorm-fuzz-XXXXXX"));
    static const QString path = dir->path() + QLatin1Char('/');
    return path;
}

QString FuzzWriteFile(const QString &name, const QByteArray &bytes)
{
    const QString path = FuzzScratchDir() + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write the scratch file %s\n", qPrintable(path));
        std::abort();
    }
    return path;
}
