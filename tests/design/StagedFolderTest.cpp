#include "DesignFixture.h"

#include "base/FolderLock.h"
#include "design/StagedFolder.h"
#include "support/ChildProcess.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QStringList Entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray Read(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

} // namespace

// What a kill leaves in the root, by this version and by earlier ones.
TEST(StagedFolder, LeftoversOfCutShortSavesAreRolledBackOrForward)
{
    TDesignRoot root;
    // An earlier version moved the old files out one by one: they go back.
    TDesignRoot::WriteText(root.Dir("Sea") + "Image1.gif", "new");
    TDesignRoot::WriteText(root.Root() + ".Sea.old-Ab12Cd/Image1.gif", "old");
    TDesignRoot::WriteText(root.Root() + ".Sea.old-Ab12Cd/!design.ini", "old ini");
    // Cut between the two renames of a swap: the old folder is the design.
    TDesignRoot::WriteText(root.Root() + ".Lake.old/!design.ini", "old lake");
    TDesignRoot::WriteText(root.Root() + ".Lake.saving/!design.ini", "new lake");
    TDesignRoot::WriteText(root.Root() + ".Lake.saving/mine/notes.txt", "the player's own");
    // A new design that never got its folder.
    TDesignRoot::WriteText(root.Root() + ".Pond.saving/!design.ini", "new pond");

    {
        // Another copy of the game is saving: nothing is touched.
        TFolderLock busy(root.Root(), TFolderLock::Mode::Exclusive, 0);
        TStagedFolder::RecoverLeftovers(root.Root());
        EXPECT_EQ(Entries(root.Root()).size(), 5);
    }
    TStagedFolder::RecoverLeftovers(root.Root());
    EXPECT_EQ(Entries(root.Root()), (QStringList{"Lake", "Sea"}));
    EXPECT_EQ(Entries(root.Dir("Sea")), (QStringList{"!design.ini", "Image1.gif"}));
    EXPECT_EQ(Read(root.Dir("Sea") + "Image1.gif"), "old");
    EXPECT_EQ(Read(root.Dir("Lake") + "!design.ini"), "old lake");
    EXPECT_EQ(Read(root.Dir("Lake") + "mine/notes.txt"), "the player's own");
}

// Replacing a design whose folder linked elsewhere used to empty the folder
// outside the root and leave a hidden link behind for good.
TEST(StagedFolder, ADesignFolderThatIsALinkIsNeverWrittenThroughAndLinkLeftoversGo)
{
    TDesignRoot root;
    TempDir outside;
    outside.Write("Sea/!design.ini", "outside");
    outside.Write("Sea/mine/notes.txt", "the player's own");
    ASSERT_TRUE(QFile::link(outside.File("Sea"), root.Root() + "Sea"));
    {
        try {
            TStagedFolder stage(root.Root(), "Sea");
            TDesignRoot::WriteText(stage.Dir() + "!design.ini", "new");
            stage.Commit();
            FAIL() << "replaced a linked design folder";
        } catch (const EDesignError &e) {
            EXPECT_TRUE(QString::fromUtf8(e.what()).contains("is a link")) << e.what();
        }
    }
    EXPECT_EQ(Entries(root.Root()), QStringList{"Sea"});
    EXPECT_TRUE(QFileInfo(root.Root() + "Sea").isSymLink());
    EXPECT_EQ(Entries(outside.File("Sea")), (QStringList{"!design.ini", "mine"}));

    // What the earlier swap left: the link beside the design that took its
    // place, and a link cut between the two renames of a swap.
    QFile::remove(root.Root() + "Sea");
    TDesignRoot::WriteText(root.Dir("Sea") + "!design.ini", "new");
    ASSERT_TRUE(QFile::link(outside.File("Sea"), root.Root() + ".Sea.saving"));
    ASSERT_TRUE(QFile::link(outside.File("Sea"), root.Root() + ".Lake.old"));
    ASSERT_TRUE(QFile::link(outside.File("gone"), root.Root() + ".Pond.saving"));
    TStagedFolder::RecoverLeftovers(root.Root());
    EXPECT_EQ(Entries(root.Root()), (QStringList{"Lake", "Sea"}));
    EXPECT_TRUE(QFileInfo(root.Root() + "Lake").isSymLink());
    EXPECT_EQ(Entries(outside.File("Sea")), (QStringList{"!design.ini", "mine"}));
}

TEST(StagedFolder, AFolderThatCannotBeMadeSaysWhy)
{
    TempDir dir;
    QDir().mkpath(dir.File("locked"));
    ::chmod(QFile::encodeName(dir.Path()).constData(), 0755);
    ::chmod(QFile::encodeName(dir.File("locked")).constData(), 0555);
    const ChildProcess::TResult result = ChildProcess::Run([&] {
        ChildProcess::ActAsOrdinaryUser();
        TStagedFolder stage(dir.File("locked/snapstorm/design"), "Sea");
    });
    ::chmod(QFile::encodeName(dir.File("locked")).constData(), 0755);
    EXPECT_EQ(result.Outcome, ChildProcess::TResult::Threw);
    EXPECT_NE(result.Message.find("snapstorm/design/: you may not write in that folder."), std::string::npos)
        << result.Message;
}
