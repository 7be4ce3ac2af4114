#include "base/IniFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

TEST(IniFile, SectionsAndKeysIgnoreCaseAndValuesAreTrimmed)
{
    TempDir dir;
    dir.Write("a.ini", "[Other]\nKey=no\n[Messages]\n  Greeting =  Hello there  \nkey=first\nKEY=second\n");
    TIniFile ini(dir.File("a.ini"));
    EXPECT_EQ(ini.ReadString("messages", "greeting"), "Hello there");
    EXPECT_EQ(ini.ReadString("MESSAGES", "Key"), "first");
    EXPECT_EQ(ini.ReadString("Messages", "absent", "fb"), "fb");
    EXPECT_EQ(ini.ReadSectionKeys("messages"), QStringList({"Greeting", "key"}));
}

TEST(IniFile, LongValuesAreCutAndMissingFilesAreEmpty)
{
    TempDir dir;
    dir.Write("a.ini", "[s]\nlong=" + QByteArray(1100, 'x') + "\n");
    TIniFile ini(dir.File("a.ini"));
    EXPECT_EQ(ini.ReadString("s", "long").size(), 1023);
    TIniFile missing(dir.File("none.ini"));
    EXPECT_EQ(missing.ReadString("s", "long", "d"), "d");
    EXPECT_FALSE(missing.SectionExists("s"));
}

TEST(IniFile, IntegersReadLeadingDigitsAndFallBack)
{
    TempDir dir;
    dir.Write("a.ini", "[s]\na=42\nb=-7ms\nc=abc\n");
    TIniFile ini(dir.File("a.ini"));
    EXPECT_EQ(ini.ReadInteger("s", "a", 0), 42);
    EXPECT_EQ(ini.ReadInteger("s", "b", 0), -7);
    EXPECT_EQ(ini.ReadInteger("s", "c", 5), 5);
    EXPECT_EQ(ini.ReadInteger("s", "d", 9), 9);
}

TEST(IniFile, IsReadAfreshOnEveryCall)
{
    TempDir dir;
    dir.Write("a.ini", "[s]\nk=1\n");
    TIniFile ini(dir.File("a.ini"));
    EXPECT_EQ(ini.ReadString("s", "k"), "1");
    dir.Write("a.ini", "[s]\nk=2\n");
    EXPECT_EQ(ini.ReadString("s", "k"), "2");
}

TEST(IniFile, QuotedValuesLoseTheirQuotesAndUtf16FilesAreRead)
{
    TempDir dir;
    dir.Write("q.ini", "[s]\npadded = \"  two  \"\nlone=\"\ninner=a \"b\" c\n");
    TIniFile ini(dir.File("q.ini"));
    EXPECT_EQ(ini.ReadString("s", "padded"), "  two  ");
    EXPECT_EQ(ini.ReadString("s", "lone"), "\"");
    EXPECT_EQ(ini.ReadString("s", "inner"), "a \"b\" c");
    const QString text = QString::fromUtf8("[Messages]\r\nOK=Schließen\r\n");
    QByteArray utf16("\xFF\xFE");
    utf16.append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    dir.Write("deutsch.lng", utf16);
    EXPECT_EQ(TIniFile(dir.File("deutsch.lng")).ReadString("messages", "ok"), QString::fromUtf8("Schließen"));
}

TEST(IniFile, SectionsOfTheSameNameReadAsOneInFileOrder)
{
    TempDir dir;
    dir.Write("a.ini", "k=outside\n[S]\na=1\n[t]\na=t\n[s]\nA=2\nb=3\n[ s ]\nc=4\n");
    TIniFile ini(dir.File("a.ini"));
    EXPECT_EQ(ini.ReadString("s", "a"), "1");
    EXPECT_EQ(ini.ReadString("s", "b"), "3");
    EXPECT_EQ(ini.ReadString("s", "c"), "4");
    EXPECT_EQ(ini.ReadString("s", "k", "none"), "none");
    EXPECT_EQ(ini.ReadSectionKeys("S"), QStringList({"a", "b", "c"}));
    EXPECT_FALSE(ini.SectionExists("u"));
}
