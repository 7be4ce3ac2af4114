#include "base/TextFile.h"
#include "base/FileNames.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

TEST(TextFile, Utf8IsKeptAndOtherBytesReadAsWindows1252)
{
    EXPECT_EQ(DecodeText("Gr\xC3\xBC\xC3\x9F" "e"), QString::fromUtf8("Grüße"));
    EXPECT_EQ(DecodeText("Gr\xFC\xDF" "e \x80"), QString::fromUtf8("Grüße €"));
    EXPECT_EQ(DecodeText("\xEF\xBB\xBFok"), "ok");
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

TEST(TextFile, EachLineKeepsItsOwnEncodingAndUtf16NeedsAByteOrderMark)
{
    // One hand-edited ANSI line must not turn the program's UTF-8 lines into mojibake.
    EXPECT_EQ(DecodeText("Score=1;J\xC3\xB6rg;Default\r\n; caf\xE9\n"),
              QString::fromUtf8("Score=1;Jörg;Default\r\n; café\n"));
    EXPECT_EQ(DecodeText(QByteArray("\xFF\xFE" "[\0s\0]\0\n\0\xE9\0", 12)), QString::fromUtf8("[s]\né"));
    EXPECT_EQ(DecodeText(QByteArray("\xFE\xFF\0[\0s\0]", 8)), "[s]");
}

TEST(TextFile, ReadersTakeRegularFilesOnlySoAFifoNeverHangs)
{
    TempDir dir;
    const QString fifo = dir.File("english.lng");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_EQ(ReadTextFile(fifo), "");
    EXPECT_EQ(ReadTextFile(dir.Path()), "");
    EXPECT_FALSE(ReadRegularFile(dir.Write("big.ini", "12345"), 4));
    EXPECT_EQ(ReadRegularFile(dir.File("big.ini"), 5), QByteArray("12345"));
}
