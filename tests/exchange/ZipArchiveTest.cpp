#include "ZipBytes.h"

#include "exchange/ZipArchive.h"
#include "support/TempDir.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace ZipBytes;

namespace {

class ZipArchiveTest : public ::testing::Test
{
protected:
    ZipArchiveTest()
    {
        Archive.OnShowMessage = [this](const QString &text) { Shown << text; };
        Archive.OnMessage = [this](TZipArchive &, int, const QString &text) { Messages << text; };
        Archive.OnProgress = [this](TZipArchive &, ProgressType kind, const QString &name, std::int64_t) {
            if (kind == ProgressType::NewFile)
                Progress << name;
        };
    }

    TempDir Dir;
    TZipArchive Archive;
    QStringList Shown, Messages, Progress;
};

} // namespace

TEST_F(ZipArchiveTest, AddPacksTheFolderFilesSoTheListingReadsThemBack)
{
    Dir.Write("src/b.txt", QByteArray(5000, 'b'));
    Dir.Write("src/a.gif", "GIF89a");
    Dir.Write("src/.hidden", "h");
    Dir.Write("src/sub/inner.txt", "inner");
    Dir.Write("secret.txt", "secret");
    QFile::link(Dir.File("secret.txt"), Dir.File("src/link.txt"));
    Archive.SetArchiveName(Dir.File("out.zip"));
    Archive.FileSpecs = {Dir.File("src/*.*")};
    Archive.AddFiles();

    EXPECT_EQ(Archive.SuccessCount(), 2);
    EXPECT_EQ(Progress, (QStringList{"a.gif", "b.txt"}));
    EXPECT_TRUE(Archive.FileSpecs.isEmpty());
    ASSERT_EQ(Archive.Count(), 2);
    EXPECT_EQ(Archive.Items(0).FileName, "a.gif");
    EXPECT_EQ(Archive.Items(1).FileName, "b.txt");
    EXPECT_EQ(Archive.Items(1).UncompressedSize, 5000u);
    EXPECT_EQ(Archive.Items(1).CompressionMethod, 8);
    EXPECT_LT(Archive.Items(1).CompressedSize, 100u);
    EXPECT_EQ(Archive.Items(1).Flags & 8, 0);
    EXPECT_TRUE(Shown.isEmpty());
}

TEST_F(ZipArchiveTest, ExtractWritesBareNamesAndKeepsExistingFiles)
{
    ASSERT_TRUE(Build(Dir.File("in.zip"), {{"img/Photo_1.jpg", "photo"}, {"keep.txt", "new"}}));
    Dir.Write("out/keep.txt", "old");
    const QString cwd = QDir::currentPath();
    Archive.SetArchiveName(Dir.File("in.zip"));
    Archive.ExtractDir = Dir.File("out");
    Archive.ExtractFiles();

    EXPECT_EQ(Archive.SuccessCount(), 1);
    EXPECT_EQ(Dir.Read("out/Photo_1.jpg"), "photo");
    EXPECT_EQ(Dir.Read("out/keep.txt"), "old");
    EXPECT_EQ(Messages.size(), 1);
    EXPECT_EQ(QDir::currentPath(), cwd);
}

TEST_F(ZipArchiveTest, RefusalsAreShownAndDoNothing)
{
    Archive.AddFiles();
    Archive.SetArchiveName(QString());
    Archive.FileSpecs = {Dir.File("*.*")};
    Archive.AddFiles();
    Archive.SetArchiveName(Dir.File("missing.zip"));
    Archive.ExtractFiles();
    Archive.FileSpecs = {Dir.File("*.*")};
    Archive.AddOptions = TZipArchive::AddEncrypt;
    Archive.AddFiles();
    EXPECT_EQ(Shown, (QStringList{"Error - no files to zip", "Error - no zip file specified",
                                  "Error - no zip file specified", "Error - option not supported"}));
    EXPECT_FALSE(QFileInfo::exists(Dir.File("missing.zip")));
    EXPECT_EQ(Archive.SuccessCount(), 0);
}
