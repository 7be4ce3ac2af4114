#include "DesignFixture.h"

#include "base/FolderLock.h"
#include "design/StagedFolder.h"

#include <gtest/gtest.h>

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
