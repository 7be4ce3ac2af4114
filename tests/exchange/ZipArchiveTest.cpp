#include "ZipBytes.h"

#include "exchange/ZipArchive.h"
#include "exchange/ZipWriter.h"
#include "support/TempDir.h"

#include <QDir>

#include <gtest/gtest.h>

#include <csignal>

#include <sys/wait.h>
#include <unistd.h>

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

// Each killed export used to leave libzip's temporary file, as large as
// the archive, beside the target for good.
TEST(ZipExport, TheTemporaryFileOfAKilledExportGoesAtTheNextExport)
{
    TempDir dir;
    QByteArray noise(48 << 20, '\0');
    for (qsizetype i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 2654435761u) >> 13);
    const QString photo = dir.Write("Sea/Photo_1.bmp", noise);
    const QString target = dir.File("out/Big.zip");
    QDir().mkpath(dir.File("out"));
    // A fresh listing each time: QDir keeps the one it read.
    const auto temporaries = [&] { return QDir(dir.File("out"), "Big.zip.??????").entryList(); };
    const pid_t pid = ::fork();
    if (pid == 0) {
        WriteZipArchive(target, {photo}, 0);
        ::_exit(0);
    }
    for (int i = 0; i < 20000 && temporaries().isEmpty(); ++i)
        ::usleep(500);
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    ASSERT_EQ(temporaries().size(), 1) << "the export ended before it could be killed";

    WriteZipArchive(dir.File("out/Small.zip"), {dir.Write("Sea/!design.ini", "Author=A\n")}, 9);
    EXPECT_EQ(QDir(dir.File("out")).entryList(QDir::Files | QDir::Hidden), QStringList{"Small.zip"});
}
