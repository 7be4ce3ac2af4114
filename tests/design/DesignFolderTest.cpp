#include "DesignFixture.h"

#include "design/DesignFolder.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

TEST(DesignFolder, ListDesignDirsSkipsDotFoldersAndFiles)
{
    TDesignRoot root;
    for (const char *name : {"beta", "Alpha", "Default", ".backup", ".git"})
        QDir().mkpath(root.Dir(QLatin1String(name)));
    TDesignRoot::WriteText(root.Root() + QStringLiteral("notes.txt"), "x");
    QStringList list{QStringLiteral("stale")};
    ListDesignDirs(root.Root() + QStringLiteral("*.*"), list);
    list.sort();
    EXPECT_EQ(list, (QStringList{"Alpha", "Default", "beta"}));
}

TEST(DesignFolder, MenuNamesAreSortedWithoutCaseAndLeaveOutDefault)
{
    TDesignRoot root;
    for (const char *name : {"beta", "Alpha", "DEFAULT", ".backup", "gamma", "Beta2"})
        QDir().mkpath(root.Dir(QLatin1String(name)));
    EXPECT_EQ(DesignMenuNames(root.Root()), (QStringList{"Alpha", "beta", "Beta2", "gamma"}));
}

TEST(DesignFolder, EmptyOrMissingRootListsNothing)
{
    TDesignRoot root;
    EXPECT_TRUE(DesignMenuNames(root.Root()).isEmpty());
    EXPECT_TRUE(DesignMenuNames(root.Root() + QStringLiteral("nowhere/")).isEmpty());
}

TEST(DesignFolder, ListFilesMatchesMaskWithoutCaseAndSkipsFolders)
{
    TDesignRoot root;
    const QString dir = root.Dir(QStringLiteral("d"));
    for (const char *name : {"Photo_1.bmp", "photo_2.BMP", "Photo_x.bmp.bak", "Image1.bmp", ".Photo_3.bmp"})
        TDesignRoot::WriteText(dir + QLatin1String(name), "x");
    QDir().mkpath(dir + QStringLiteral("Photo_9.bmp"));
    QStringList list;
    ListFiles(dir + QStringLiteral("Photo_*.bmp"), list);
    list.sort();
    EXPECT_EQ(list, (QStringList{"Photo_1.bmp", "photo_2.BMP"}));
}

TEST(DesignFolder, SameFileContentsComparesBytesAndTreatsFailureAsDifferent)
{
    TDesignRoot root;
    const QString a = root.Root() + QStringLiteral("a"), b = root.Root() + QStringLiteral("b");
    const QString c = root.Root() + QStringLiteral("c"), d = root.Root() + QStringLiteral("d");
    TDesignRoot::WriteText(a, "same bytes");
    TDesignRoot::WriteText(b, "same bytes");
    TDesignRoot::WriteText(c, "same bytez");
    TDesignRoot::WriteText(d, "same bytes and more");
    EXPECT_TRUE(SameFileContents(a, b));
    EXPECT_FALSE(SameFileContents(a, c));
    EXPECT_FALSE(SameFileContents(a, d));
    EXPECT_FALSE(SameFileContents(a, root.Root() + QStringLiteral("missing")));
    EXPECT_FALSE(SameFileContents(root.Root() + QStringLiteral("missing"), root.Root() + QStringLiteral("missing")));
}

TEST(DesignFolder, IncludeBackslashAppendsOneSlash)
{
    EXPECT_EQ(IncludeBackslash(QString()), QString());
    EXPECT_EQ(IncludeBackslash(QStringLiteral("/a/b")), QStringLiteral("/a/b/"));
    EXPECT_EQ(IncludeBackslash(QStringLiteral("/a/b/")), QStringLiteral("/a/b/"));
}

TEST(DesignFolder, DefaultNameIsEmptyOrDefaultInAnyCase)
{
    for (const char *name : {"", "Default", "DEFAULT", "default"})
        EXPECT_TRUE(IsDefaultDesignName(QLatin1String(name))) << name;
    EXPECT_FALSE(IsDefaultDesignName(QStringLiteral("Defaults")));
    EXPECT_FALSE(IsDefaultDesignName(QStringLiteral(" Default")));
}

TEST(DesignFolder, DefaultFolderIsFoundWithoutCase)
{
    TDesignRoot root;
    QDir().mkpath(root.Dir(QStringLiteral("default")));
    EXPECT_EQ(DefaultDesignDir(root.Root()), root.Dir(QStringLiteral("default")));
}

TEST(DesignFolder, DesignRootIsBesideTheExecutable)
{
    EXPECT_EQ(DesignRootDir(), QCoreApplication::applicationDirPath() + QStringLiteral("/design/"));
}

TEST(DesignFolder, NumbersAreWholeDecimalsWithoutBlanks)
{
    int v = 7;
    EXPECT_TRUE(ParseInt32(QStringLiteral("-12"), v));
    EXPECT_EQ(v, -12);
    EXPECT_TRUE(ParseInt32(QStringLiteral("2147483647"), v));
    for (const char *bad : {"", " 3", "3 ", "3x", "-", "0x10", "2147483648", "1.5"}) {
        v = 7;
        EXPECT_FALSE(ParseInt32(QLatin1String(bad), v)) << bad;
        EXPECT_EQ(v, 7);
    }
}

TEST(DesignFolder, WritePathRemovesOtherCaseCopiesOnly)
{
    TDesignRoot root;
    const QString dir = root.Dir(QStringLiteral("d"));
    TDesignRoot::WriteText(dir + QStringLiteral("IMAGE3.BMP"), "old");
    TDesignRoot::WriteText(dir + QStringLiteral("Image3.bmp"), "keep");
    TDesignRoot::WriteText(dir + QStringLiteral("Image4.bmp"), "other");
    EXPECT_EQ(WritePathNoCase(dir, QStringLiteral("Image3.bmp")), dir + QStringLiteral("Image3.bmp"));
    EXPECT_FALSE(QFileInfo::exists(dir + QStringLiteral("IMAGE3.BMP")));
    EXPECT_TRUE(QFileInfo::exists(dir + QStringLiteral("Image3.bmp")));
    EXPECT_TRUE(QFileInfo::exists(dir + QStringLiteral("Image4.bmp")));
    RemoveFileNoCase(dir, QStringLiteral("image3.BMP"));
    EXPECT_FALSE(QFileInfo::exists(dir + QStringLiteral("Image3.bmp")));
    EXPECT_NO_THROW(RemoveFileNoCase(dir, QStringLiteral("missing.bmp")));
}
