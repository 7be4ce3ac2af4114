#include "base/FileWriter.h"
#include "base/KeyValueList.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <stdexcept>

TEST(KeyValueList, FirstLineWinsAndKeysIgnoreCaseButNotBlanks)
{
    TKeyValueList list({"photocount=2", "PhotoCount=7", "Author = Ann", "Info=a=b"});
    EXPECT_EQ(list.Value("PHOTOCOUNT"), "2");
    EXPECT_EQ(list.Value("Author"), "");          // the key is "Author "
    EXPECT_EQ(list.Value("Author "), " Ann");
    EXPECT_EQ(list.Value("Info"), "a=b");         // everything after the first "="
    EXPECT_EQ(list.Value("Missing"), "");
}

TEST(KeyValueList, SetReplacesInPlaceAppendsAndDeletesOnEmpty)
{
    TKeyValueList list({"; comment", "[section]", "Sound=1", "Unknown=x"});
    list.SetValue("sound", "0");
    list.SetValue("Design", "Space");
    list.SetValue("Unknown", "");
    EXPECT_EQ(list.Lines(), QStringList({"; comment", "[section]", "sound=0", "Design=Space"}));
    list.SetValue("Nothing", "");
    EXPECT_EQ(list.Lines().size(), 4);
}

TEST(KeyValueList, RoundTripKeepsUnknownLinesAndWritesChosenLineEnds)
{
    TempDir dir;
    dir.Write("s.ini", "# c\r\n[x]\rSound=0\nodd line");
    TKeyValueList list;
    list.LoadFromFile(dir.File("s.ini"));
    EXPECT_EQ(list.Lines(), QStringList({"# c", "[x]", "Sound=0", "odd line"}));
    list.SaveToFile(dir.File("s.ini"), TKeyValueList::LineEnd::CrLf);
    EXPECT_EQ(dir.Read("s.ini"), QByteArray("# c\r\n[x]\r\nSound=0\r\nodd line\r\n"));
}

TEST(KeyValueList, MissingFileLoadsEmptyAndUnwritableSaveFailsWithoutHarm)
{
    TempDir dir;
    TKeyValueList list({"keep"});
    list.LoadFromFile(dir.File("none.ini"));
    EXPECT_TRUE(list.Lines().isEmpty());
    list.SetValue("A", "1");
    EXPECT_THROW(list.SaveToFile(dir.File("no/such/folder/x.ini")), EWriteError);
}

TEST(KeyValueList, ValuesThatWouldForgeOrBreakLinesAreRefused)
{
    TKeyValueList list({"Design=Sea"});
    for (const QString &value : {QString("Evil\nScore=000999999999;Mallory;Default"),
                                 QString("tab\there"), QString(QChar(0x2028))})
        EXPECT_THROW(list.SetValue("Design", value), std::invalid_argument);
    EXPECT_THROW(list.SetValue("Score=1;x;y\nA", "1"), std::invalid_argument);
    EXPECT_THROW(list.SetValue("A=B", "1"), std::invalid_argument);
    EXPECT_EQ(list.Lines(), QStringList({"Design=Sea"}));
}

TEST(KeyValueList, OnlyARealChangeIsReportedAndACopyReportsNothing)
{
    TKeyValueList list({"Sound=1"});
    QStringList changed;
    list.SetOnChanged([&](const QString &key) { changed << key; });
    list.SetValue("Sound", "1");
    list.SetValue("Gone", "");
    list.SetValue("Sound", "0");
    list.SetValue("Design", "Sea");
    list.SetValue("design", "");
    EXPECT_EQ(changed, (QStringList{"Sound", "Design", "design"}));
    TKeyValueList copy = list;
    copy.SetValue("Sound", "1");
    EXPECT_EQ(changed.size(), 3);
}
