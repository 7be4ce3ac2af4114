#include "setup/Installer.h"
#include "setup/ShortcutLink.h"

#include "support/TempDir.h"

#include <QDirIterator>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

bool IsElf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(4) == QByteArray("\x7f" "ELF", 4);
}

// The library search paths of every program or module under `root` that are empty
// (the current folder), relative, or anything else not fixed by the file's
// own place, as "file: path".
QStringList LooseSearchPaths(const QString &root)
{
    QStringList loose;
    QDirIterator files(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        const bool loadable = files.fileInfo().isExecutable() || path.endsWith(QLatin1String(".so"));
        if (!loadable || !IsElf(path))
            continue;
        QProcess readelf;
        readelf.start(QStringLiteral("readelf"), {QStringLiteral("-d"), QStringLiteral("-W"), path});
        readelf.waitForFinished();
        for (const QString &line : QString::fromUtf8(readelf.readAllStandardOutput()).split(QLatin1Char('\n'))) {
            if (!line.contains(QLatin1String("(RUNPATH)")) && !line.contains(QLatin1String("(RPATH)")))
                continue;
            const QString paths = line.section(QLatin1Char('['), 1).section(QLatin1Char(']'), 0, 0);
            for (const QString &entry : paths.split(QLatin1Char(':'))) {
                if (!entry.startsWith(QLatin1Char('/')) && !entry.startsWith(QLatin1String("$ORIGIN"))
                    && !entry.startsWith(QLatin1String("${ORIGIN}")))
                    loose << path + QStringLiteral(": [") + entry + QLatin1Char(']');
            }
        }
    }
    return loose;
}

} // namespace

// Empty run path entries let a planted library in the folder the game is
// started from run inside it.
TEST(RunPath, NoProgramOfTheTreeOrOfASetupCopyLooksForLibrariesInTheCurrentFolder)
{
    const QString bin = QStringLiteral(SNAPSTORM_BIN_DIR);
    ASSERT_TRUE(IsElf(bin + QStringLiteral("/snapstorm")));
    // The runnable tree, and the tests, benchmarks and tools beside it.
    EXPECT_EQ(LooseSearchPaths(QStringLiteral(SNAPSTORM_BIN_DIR "/..")), QStringList());

    TempDir dir;
    qputenv("XDG_DATA_HOME", dir.File(QStringLiteral("data")).toUtf8());
    TInstaller installer(bin, QStringLiteral("snapstorm"));
    installer.SetLauncher([](const QString &, const QString &) {});
    TShortcutLink link;
    installer.Install(dir.File(QStringLiteral("copy")), QStringLiteral("english.lng"), {false, false, false, false},
                      link);
    ASSERT_TRUE(IsElf(dir.File(QStringLiteral("copy/snapstorm"))));
    EXPECT_EQ(LooseSearchPaths(dir.File(QStringLiteral("copy"))), QStringList());
}
