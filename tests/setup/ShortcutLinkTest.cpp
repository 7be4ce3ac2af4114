#include "setup/ShortcutLink.h"

#include "support/TempDir.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

QByteArray ExecLine(const QByteArray &entry)
{
    for (const QByteArray &line : entry.split('\n'))
        if (line.startsWith("Exec="))
            return line.mid(5);
    return {};
}

} // namespace

TEST(ShortcutLink, HotKeyKeepsOneUpperCaseCharacterAndBlankMeansNone)
{
    TShortcutLink link;
    EXPECT_EQ(link.HotKey(), QStringLiteral(" "));
    link.SetHotKey(QStringLiteral("qx"));
    EXPECT_EQ(link.HotKey(), QStringLiteral("Q"));
    link.SetHotKey(QString());
    EXPECT_EQ(link.HotKey(), QStringLiteral(" "));
    link.SetHotKey(QStringLiteral("\tA"));
    EXPECT_EQ(link.HotKey(), QStringLiteral(" "));
}

TEST(ShortcutLink, ShowCmdStoresWindowValuesAndReadsUnknownAsNormal)
{
    TShortcutLink link;
    EXPECT_EQ(link.ShowCmd(), TShowCmd::scShowNormal);
    EXPECT_EQ(link.StoredShowCmd(), 9);
    link.SetShowCmd(TShowCmd::scShowMaximized);
    EXPECT_EQ(link.StoredShowCmd(), 3);
    EXPECT_EQ(link.ShowCmd(), TShowCmd::scShowMaximized);
    link.SetShowCmd(TShowCmd::scShowMinimized);
    EXPECT_EQ(link.StoredShowCmd(), 7);
    EXPECT_EQ(link.ShowCmd(), TShowCmd::scShowMinimized);
    link.SetShowCmd(TShowCmd::scShowNormal);
    EXPECT_EQ(link.StoredShowCmd(), 9);
}

TEST(ShortcutLink, ExecQuotesPathsWithBlanksAndEscapesReservedCharacters)
{
    TShortcutLink link;
    link.SetTarget(QStringLiteral("/home/a b/Snap$torm 100%/snapstorm"));
    link.SetArguments(QStringLiteral("plain \"two words\""));
    EXPECT_EQ(ExecLine(link.DesktopEntry()),
              QByteArray(R"("/home/a b/Snap\\$torm 100%%/snapstorm" plain "two words")"));
    link.SetTarget(QStringLiteral("/opt/back\\slash/x"));
    link.SetArguments(QString());
    // Quoting escapes the backslash once, the string rules once more.
    EXPECT_EQ(ExecLine(link.DesktopEntry()), QByteArray(R"("/opt/back\\\\slash/x")"));
}

TEST(ShortcutLink, SaveWritesValidExecutableEntryAndFailsWithItsMessage)
{
    TempDir dir;
    TShortcutLink link;
    link.SetShortcutFile(dir.File(QStringLiteral("new/folder/Snapstorm.desktop")));
    link.SetTarget(dir.File(QStringLiteral("my games/snapstorm")));
    link.SetWorkingDir(dir.File(QStringLiteral("my games")));
    link.SetDescription(QStringLiteral("Snapstorm"));
    link.SetIconLocation(dir.File(QStringLiteral("my games/snapstorm.png")));
    link.Save();
    const QByteArray entry = dir.Read(QStringLiteral("new/folder/Snapstorm.desktop"));
    EXPECT_TRUE(entry.startsWith("[Desktop Entry]\nType=Application\n"));
    EXPECT_TRUE(entry.contains("\nName=Snapstorm\nComment=Snapstorm\n"));
    EXPECT_TRUE(entry.contains("\nPath=" + link.WorkingDir().toUtf8() + "\n"));
    EXPECT_TRUE(entry.contains("\nCategories=Game;ArcadeGame;\n"));
    EXPECT_TRUE(QFile::permissions(link.ShortcutFile()) & QFile::ExeOwner);

    const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (!validator.isEmpty()) {
        QProcess run;
        run.start(validator, {link.ShortcutFile()});
        ASSERT_TRUE(run.waitForFinished());
        EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardOutput().constData();
    }

    dir.Write(QStringLiteral("file"), "x");
    link.SetShortcutFile(dir.File(QStringLiteral("file/Snapstorm.desktop")));
    try {
        link.Save();
        FAIL() << "saved below a file";
    } catch (const EShortcutError &e) {
        EXPECT_STREQ(e.what(), "Unable to create .lnk file");
    }
}

TEST(ShortcutLink, FoldersFollowXdgVariables)
{
    TempDir dir;
    qputenv("XDG_DATA_HOME", dir.File(QStringLiteral("data")).toUtf8());
    qputenv("XDG_CONFIG_HOME", dir.File(QStringLiteral("config")).toUtf8());
    qunsetenv("XDG_DESKTOP_DIR");
    EXPECT_EQ(TShortcutLink::GetProgramsFolder(), dir.File(QStringLiteral("data/applications")));
    EXPECT_EQ(TShortcutLink::GetStartMenuFolder(), TShortcutLink::GetProgramsFolder());
    dir.Write(QStringLiteral("config/user-dirs.dirs"),
              "# comment\nXDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n");
    EXPECT_EQ(TShortcutLink::GetDesktopFolder(), QDir::homePath() + QStringLiteral("/Schreibtisch"));
    qputenv("XDG_DESKTOP_DIR", dir.File(QStringLiteral("desk")).toUtf8());
    EXPECT_EQ(TShortcutLink::GetDesktopFolder(), dir.File(QStringLiteral("desk")));
    qputenv("XDG_DATA_HOME", "relative/ignored");
    EXPECT_EQ(TShortcutLink::GetProgramsFolder(), QDir::homePath() + QStringLiteral("/.local/share/applications"));
    for (const char *name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_DESKTOP_DIR"})
        qunsetenv(name);
}
