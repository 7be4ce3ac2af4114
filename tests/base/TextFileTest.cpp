#include "base/TextFile.h"
#include "base/FileNames.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

TEST(TextFile, Utf8IsKeptAndOtherBytesReadAsWindows1252)
{
    EXPECT_EQ(DecodeText("Gr\xC3\xBC\xC3\x9F" "e"), QString::fromUtf8("Grüße"));
    EXPECT_EQ(DecodeText("Gr\xFC\xDF" "e \x80"), QString::fromUtf8("Grüße €"));
    EXPECT_EQ(DecodeText("\xEF\xBB\xBFok"), "ok");
}

TEST(TextFile, AtomicWriteReplacesWholeFileOrNothing)
{
    TempDir dir;
    dir.Write("f.txt", "old");
    EXPECT_TRUE(WriteTextFileAtomic(dir.File("f.txt"), "new"));
    EXPECT_EQ(dir.Read("f.txt"), "new");
    EXPECT_FALSE(WriteTextFileAtomic(dir.File("missing/f.txt"), "x"));
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files), QStringList({"f.txt"}));
}

TEST(FileNames, LookupIgnoresCaseAndPrefersExactName)
{
    TempDir dir;
    dir.Write("IMAGE3.GIF", "a");
    dir.Write("sound1.WAV", "b");
    EXPECT_EQ(FindEntryNoCase(dir.Path(), "Image3.gif"), dir.File("IMAGE3.GIF"));
    EXPECT_EQ(FindEntryNoCase(dir.Path(), "Sound1.wav"), dir.File("sound1.WAV"));
    EXPECT_EQ(FindEntryNoCase(dir.Path(), "Sound2.wav"), "");
    EXPECT_EQ(ResolvePathNoCase(dir.Path(), "Sound2.wav"), dir.File("Sound2.wav"));
}
