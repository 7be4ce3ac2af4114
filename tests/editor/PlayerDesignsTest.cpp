#include "EditorFixture.h"

#include "design/DesignRoots.h"
#include "exchange/DesignArchive.h"
#include "support/ChildProcess.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uid_t Nobody = 65534;

void CopyDesign(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    for (const QString &name : QDir(from).entryList(QDir::Files))
        QFile::copy(from + QLatin1Char('/') + name, to + QLatin1Char('/') + name);
}

void Check(bool condition, const char *what)
{
    if (!condition)
        throw std::runtime_error(what);
}

} // namespace

// An install the player may not write: what they import or save goes to
// their own data folder and is listed beside the shipped designs.
TEST(PlayerDesigns, AnInstallThePlayerCannotWriteKeepsTheirDesignsInTheirDataFolder)
{
    TempDir scratch;
    ::chmod(QFile::encodeName(scratch.Path()).constData(), 0755);
    const QString shipped = scratch.File("share/design/");
    for (const char *design : {"Default", "Neon"})
        CopyDesign(QStringLiteral(SNAPSTORM_BIN_DIR "/design/") + design, shipped + design);
    TDesignRoot::WriteText(scratch.File("Sea/!design.ini"), "Author=Sea\r\n");
    PackDesignFolder(scratch.File("Sea"), scratch.File("Sea.zip"));
    const QString home = scratch.File("home");
    QDir().mkpath(home);
    const bool asRoot = ::geteuid() == 0;
    if (asRoot)
        ::chown(QFile::encodeName(home).constData(), Nobody, Nobody);
    else
        ::chmod(QFile::encodeName(shipped).constData(), 0555);

    const ChildProcess::TResult player = ChildProcess::Run([&] {
        // The player is an ordinary user, also when the tests run as root.
        if (asRoot)
            Check(::setgid(Nobody) == 0 && ::setuid(Nobody) == 0, "cannot become an ordinary user");
        qputenv("XDG_DATA_HOME", QFile::encodeName(home + "/data"));
        const TDesignRoots roots = TDesignRoots::ForShipped(shipped);
        Check(roots.Player() == home + "/data/snapstorm/design/", "the player's root is not in their data folder");
        const TMessageLookup messages = LanguageFileMessages(QString());
        TFakePrompts prompts;
        Check(ImportDesignZip(scratch.File("Sea.zip"), messages, prompts, roots.Player()), "the import failed");
        TKeyValueList settings;
        TDesignEditor editor(prompts, messages, settings, roots);
        editor.Load("Neon");
        Check(editor.Save(), "saving the shipped Neon failed");
        prompts.Designs = {QString("Mine")};
        Check(editor.SaveAs(), "saving as Mine failed");
    });
    ASSERT_EQ(player.Outcome, ChildProcess::TResult::Returned) << player.Message;

    const TDesignRoots roots(shipped, home + "/data/snapstorm/design/");
    EXPECT_EQ(roots.Names(true), (QStringList{"Default", "Mine", "Neon", "Sea"}));
    EXPECT_EQ(roots.Caption("Sea"), QString::fromUtf8("Sea  \u2605"));
    EXPECT_TRUE(roots.IsPlayers("Neon"));
    EXPECT_FALSE(roots.IsPlayers("Default"));
    EXPECT_EQ(roots.DirOf("neon"), roots.Player() + "Neon/");
    // The player's Neon is whole: what the save did not rewrite came from the shipped one.
    EXPECT_EQ(QDir(roots.DirOf("Neon")).entryList(QDir::Files), QDir(shipped + "Neon").entryList(QDir::Files));
    EXPECT_EQ(QDir(shipped).entryList(QDir::Dirs | QDir::NoDotAndDotDot), (QStringList{"Default", "Neon"}));
}
