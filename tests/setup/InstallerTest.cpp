#include "setup/Installer.h"
#include "setup/ShortcutLink.h"

#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// A program folder as the build leaves it, and launcher folders of a
// scratch home.
struct InstallerFixture : ::testing::Test
{
    TempDir dir;
    QStringList started;

    void SetUp() override
    {
        dir.Write(QStringLiteral("src/snapstorm"), "program 1");
        QFile::setPermissions(dir.File(QStringLiteral("src/snapstorm")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        dir.Write(QStringLiteral("src/english.lng"), "[Translations]\n");
        dir.Write(QStringLiteral("src/deutsch.lng"), "[Translations]\n");
        dir.Write(QStringLiteral("src/snapstorm.ini"), "Language=english.lng\nHighScore1=99\n");
        dir.Write(QStringLiteral("src/icons/hicolor/256x256/apps/snapstorm.png"), "png");
        dir.Write(QStringLiteral("src/design/DEFAULT/!design.ini"), "default design");
        dir.Write(QStringLiteral("src/design/Other/!design.ini"), "other design");
        setenv("XDG_DATA_HOME", qPrintable(dir.File(QStringLiteral("home/data"))), 1);
        setenv("XDG_DESKTOP_DIR", qPrintable(dir.File(QStringLiteral("home/Desktop"))), 1);
    }

    void Install(const QString &dest, const TInstallChoices &choices,
                 const QString &language = QStringLiteral("deutsch.lng"))
    {
        TInstaller installer(dir.File(QStringLiteral("src")), QStringLiteral("snapstorm"));
        installer.SetLauncher([this](const QString &program, const QString &workingDir) {
            started << program << workingDir;
        });
        TShortcutLink link;
        installer.Install(dest, language, choices, link);
    }
};

const TInstallChoices AllBoxes{true, true, true, true};
const TInstallChoices NoBoxes{false, false, false, false};

} // namespace

TEST_F(InstallerFixture, InstallsIntoNewFoldersAndReinstallReplacesEveryFile)
{
    const QString dest = dir.File(QStringLiteral("my games/deep/Snap storm"));
    Install(dest, AllBoxes);
    EXPECT_EQ(dir.Read(QStringLiteral("my games/deep/Snap storm/snapstorm")), QByteArray("program 1"));
    EXPECT_TRUE(QFile::permissions(dest + QStringLiteral("/snapstorm")) & QFile::ExeOwner);
    EXPECT_TRUE(QFileInfo::exists(dest + QStringLiteral("/english.lng")));
    EXPECT_TRUE(QFileInfo::exists(dest + QStringLiteral("/icons/hicolor/256x256/apps/snapstorm.png")));
    EXPECT_EQ(dir.Read(QStringLiteral("my games/deep/Snap storm/snapstorm.ini")), QByteArray("Language=deutsch.lng\n"));
    EXPECT_EQ(dir.Read(QStringLiteral("my games/deep/Snap storm/design/DEFAULT/!design.ini")),
              QByteArray("default design"));
    EXPECT_FALSE(QFileInfo::exists(dest + QStringLiteral("/design/Other")));
    const QByteArray entry = dir.Read(QStringLiteral("home/Desktop/Snapstorm.desktop"));
    EXPECT_TRUE(entry.contains("Icon=" + dest.toUtf8() + "/icons/hicolor/256x256/apps/snapstorm.png\n"));
    EXPECT_TRUE(entry.contains("Path=" + dest.toUtf8() + "\n"));
    EXPECT_TRUE(QFileInfo::exists(dir.File(QStringLiteral("home/data/applications/Snapstorm.desktop"))));
    EXPECT_EQ(started, QStringList({dest + QStringLiteral("/snapstorm"), dest + QStringLiteral("/")}));

    dir.Write(QStringLiteral("src/snapstorm"), "program 2");
    dir.Write(QStringLiteral("my games/deep/Snap storm/snapstorm.ini"), "Language=english.lng\nHighScore1=5\n");
    Install(dest, NoBoxes, QStringLiteral("english.lng"));
    EXPECT_EQ(dir.Read(QStringLiteral("my games/deep/Snap storm/snapstorm")), QByteArray("program 2"));
    EXPECT_EQ(dir.Read(QStringLiteral("my games/deep/Snap storm/snapstorm.ini")), QByteArray("Language=english.lng\n"));
    EXPECT_FALSE(QDir(dest).entryList(QDir::Files | QDir::Hidden).join(QLatin1Char(' ')).contains(
        QStringLiteral("setup-part")));
}

TEST_F(InstallerFixture, NoBoxesCopiesAndWritesButMakesNoEntryAndStartsNothing)
{
    const QString dest = dir.File(QStringLiteral("dest"));
    Install(dest, NoBoxes);
    EXPECT_EQ(dir.Read(QStringLiteral("dest/snapstorm.ini")), QByteArray("Language=deutsch.lng\n"));
    EXPECT_TRUE(QFileInfo::exists(dest + QStringLiteral("/design/DEFAULT/!design.ini")));
    EXPECT_FALSE(QFileInfo::exists(dir.File(QStringLiteral("home"))));
    EXPECT_TRUE(started.isEmpty());
}

TEST_F(InstallerFixture, FailuresStopWithAMessageNamingWhatFailed)
{
    EXPECT_THROW(Install(QStringLiteral("  "), AllBoxes), EInstallError);
    EXPECT_THROW(Install(QStringLiteral("relative/dest"), AllBoxes), EInstallError);
    // Folders in the way of two files: a failure that holds also for root.
    const QString dest = dir.File(QStringLiteral("blocked"));
    dir.Write(QStringLiteral("blocked/snapstorm.ini/keep"), "x");
    dir.Write(QStringLiteral("blocked/english.lng/keep"), "x");
    try {
        Install(dest, AllBoxes);
        ADD_FAILURE() << "a destination that misses files was reported as installed";
    } catch (const EInstallError &e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(dest + QStringLiteral("/snapstorm.ini"))) << e.what();
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(dest + QStringLiteral("/english.lng"))) << e.what();
    }
    EXPECT_EQ(dir.Read(QStringLiteral("blocked/snapstorm")), QByteArray("program 1"));
    EXPECT_FALSE(QFileInfo::exists(dir.File(QStringLiteral("home"))));
    EXPECT_TRUE(started.isEmpty());
}

// Setup run from a packaged install must not take the rest of games/ along.
TEST_F(InstallerFixture, AnInstallInTheFileSystemLayoutGivesAPortableCopyOfItsOwnFilesOnly)
{
    dir.Write(QStringLiteral("usr/games/snapstorm"), "program");
    dir.Write(QStringLiteral("usr/games/other-game"), "not ours");
    dir.Write(QStringLiteral("usr/lib/games/snapstorm/libsnapstorm-sdl.so"), "module");
    dir.Write(QStringLiteral("usr/share/snapstorm/english.lng"), "[Translations]\n");
    dir.Write(QStringLiteral("usr/share/snapstorm/icons/hicolor/64x64/apps/snapstorm.png"), "png");
    dir.Write(QStringLiteral("usr/share/snapstorm/design/Default/!design.ini"), "default design");
    TInstaller installer(dir.File(QStringLiteral("usr/games")), QStringLiteral("snapstorm"),
                         dir.File(QStringLiteral("usr/share/snapstorm")));
    TShortcutLink link;
    installer.Install(dir.File(QStringLiteral("copy")), QStringLiteral("english.lng"), NoBoxes, link);
    EXPECT_EQ(QDir(dir.File(QStringLiteral("copy"))).entryList(QDir::Files, QDir::Name),
              (QStringList{"english.lng", "libsnapstorm-sdl.so", "snapstorm", "snapstorm.ini"}));
    EXPECT_EQ(dir.Read(QStringLiteral("copy/design/Default/!design.ini")), "default design");
    EXPECT_TRUE(QFileInfo::exists(dir.File(QStringLiteral("copy/icons/hicolor/64x64/apps/snapstorm.png"))));
    EXPECT_EQ(TShortcutLink::GetProgramsFolder(true), QStringLiteral("/usr/local/share/applications"));
}
