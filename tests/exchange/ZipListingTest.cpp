#include "ZipBytes.h"

#include "exchange/ZipArchive.h"
#include "exchange/ZipError.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace ZipBytes;

namespace {

struct TListed {
    QStringList Names;
    QStringList Shown;
    int Updates = 0;
    QString Error;
};

TListed List(const QString &path)
{
    TListed result;
    TZipArchive archive;
    archive.OnShowMessage = [&](const QString &text) { result.Shown << text; };
    archive.OnListUpdate = [&](TZipArchive &) { ++result.Updates; };
    try {
        archive.SetArchiveName(path);
    } catch (const EZipError &e) {
        result.Error = QString::fromUtf8(e.what());
    }
    for (const ZipEntryInfo &entry : archive.Entries())
        result.Names << entry.FileName;
    return result;
}

} // namespace

TEST(ZipListing, NonArchivesAndMissingFilesListNothing)
{
    TempDir dir;
    const TListed text = List(dir.Write("notes.zip", QByteArray(70000, 'P')));
    EXPECT_TRUE(text.Names.isEmpty());
    EXPECT_EQ(text.Shown, QStringList{"No valid zip entries found"});
    EXPECT_EQ(text.Updates, 1);

    const TListed missing = List(dir.File("missing.zip"));
    EXPECT_TRUE(missing.Shown.isEmpty());
    EXPECT_EQ(missing.Updates, 1);
}

TEST(ZipListing, SelfExtractorIsSearchedFrom14000InAnyCase)
{
    TempDir dir;
    QByteArray bytes = LocalEntry("early", "aaaa", 4);
    bytes.append(QByteArray(14000 - bytes.size(), '\0'));
    bytes += LocalEntry("late", "bbbb", 4) + EndRecord();
    EXPECT_EQ(List(dir.Write("setup.ExE", bytes)).Names, QStringList{"late"});
    EXPECT_EQ(List(dir.Write("setup.zip", bytes)).Names.value(0), "early");
}

TEST(ZipListing, ZeroSizesStepThroughTheDataInFours)
{
    TempDir dir;
    // Data of 12 bytes: the end record falls on a step and ends the listing.
    const TListed aligned = List(dir.Write("a.zip", LocalEntry("a", QByteArray(12, 'x'), 0, 8) + EndRecord()));
    EXPECT_EQ(aligned.Names, QStringList{"a"});
    EXPECT_TRUE(aligned.Error.isEmpty());
    // 13 bytes: no step meets it, the last step comes up short.
    const TListed missed = List(dir.Write("b.zip", LocalEntry("a", QByteArray(13, 'x'), 0, 8) + EndRecord()));
    EXPECT_EQ(missed.Error, "Error reading Zip File");
    EXPECT_EQ(missed.Names, QStringList{"a"});
    EXPECT_EQ(missed.Updates, 1);
}

TEST(ZipListing, DamagedEntryAfterGoodOnesRaisesItsError)
{
    TempDir dir;
    const QByteArray good = LocalEntry("good", "data", 4);
    const TListed beyond = List(dir.Write("c.zip", good + LocalEntry("big", "x", 100000) + EndRecord()));
    EXPECT_EQ(beyond.Error, "Error 3 reading Zip file");
    EXPECT_EQ(beyond.Names, QStringList{"good"});
    EXPECT_EQ(beyond.Updates, 1);

    QByteArray cutName = LocalEntry("cut", "", 0);
    cutName[26] = char(200); // the name runs past the end of the file
    const TListed cut = List(dir.Write("d.zip", good + cutName + EndRecord()));
    EXPECT_EQ(cut.Error, "Error 2 reading Zip file");

    // The same damage in the first entry only resumes the search.
    const TListed first = List(dir.Write("e.zip", LocalEntry("big", "x", 100000) + LocalEntry("ok", "1", 1) + EndRecord()));
    EXPECT_TRUE(first.Error.isEmpty());
    EXPECT_EQ(first.Names, QStringList{"ok"});
}
