#include "base/FileWriter.h"
#include "base/ScratchFolder.h"
#include "support/ChildProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QStandardPaths>

#include <csignal>

#include <sys/stat.h>

namespace {

QStringList AllFiles(const TempDir &dir)
{
    return QDir(dir.Path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace

TEST(FileWriter, ReplacesTheWholeFileOrLeavesTheOldOneAndNoTrace)
{
    TempDir dir;
    dir.Write("f.txt", "old");
    WriteTextFileAtomic(dir.File("f.txt"), "new");
    EXPECT_EQ(dir.Read("f.txt"), "new");
    try {
        WriteTextFileAtomic(dir.File("missing/f.txt"), "x");
        FAIL() << "wrote into a missing folder";
    } catch (const EWriteError &e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(dir.File("missing/f.txt"))) << e.what();
    }
    {
        TFileWriter abandoned(dir.File("f.txt"));
        abandoned.Write("half");
    }
    EXPECT_EQ(dir.Read("f.txt"), "new");
    EXPECT_EQ(AllFiles(dir), QStringList({"f.txt"}));
}

// A full disk used to let a short file replace the settings, empty.
TEST(FileWriter, FullDiskKeepsTheOldFileAndSaysWhy)
{
    TempDir dir;
    const QByteArray old(195, 's');
    dir.Write("snapstorm.ini", old);
    const ChildProcess::TResult result = ChildProcess::RunOnFullDisk(100, [&] {
        WriteFileAtomic(dir.File("snapstorm.ini"), QByteArray(300, 'n'), WriteFallback::InPlace);
    });
    EXPECT_EQ(result.Outcome, ChildProcess::TResult::Threw);
    EXPECT_NE(result.Message.find("larger than the system allows"), std::string::npos) << result.Message;
    EXPECT_EQ(dir.Read("snapstorm.ini"), old);
    EXPECT_EQ(AllFiles(dir), QStringList({"snapstorm.ini"}));

    const QString text = QString::fromUtf8(WriteFailure(dir.File("x.gif"), ENOSPC).what());
    EXPECT_EQ(text, QStringLiteral("Cannot save \"%1\": the disk is full.").arg(dir.File("x.gif")));
}

TEST(FileWriter, CopyKeepsPermissionsAndReplacingKeepsTheOldMode)
{
    TempDir dir;
    const QString tool = dir.Write("tool", "#!/bin/sh\n");
    ::chmod(QFile::encodeName(tool).constData(), 0750);
    CopyFileAtomic(tool, dir.File("copy"));
    EXPECT_EQ(dir.Read("copy"), "#!/bin/sh\n");
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(dir.File("copy")).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0750u);

    const QString own = dir.Write("own.ini", "a");
    ::chmod(QFile::encodeName(own).constData(), 0600);
    WriteFileAtomic(own, "b");
    ASSERT_EQ(::stat(QFile::encodeName(own).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

// Undo copies of killed copies used to stay in /tmp for good.
TEST(ScratchFolder, FoldersOfCopiesNoLongerRunningGoAtTheNextOneOnly)
{
    TempDir dir;
    const QString base = dir.File("undo");
    ChildProcess::Run([&] {
        TScratchFolder killed(base);
        WriteFileAtomic(killed.Path() + "Photo_1.bmp", QByteArray(1000, 'p'));
        ::kill(::getpid(), SIGKILL);
    });
    ASSERT_EQ(QDir(base).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 1);
    {
        TScratchFolder mine(base);
        WriteFileAtomic(mine.Path() + "kept", "k");
        TScratchFolder another(base);
        EXPECT_EQ(QDir(base).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 2);
        // A running copy's folder is not taken for abandoned.
        TScratchFolder::RemoveAbandoned(base);
        EXPECT_TRUE(QFileInfo::exists(mine.Path() + "kept"));
        EXPECT_EQ(QDir(base).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 2);
    }
    EXPECT_EQ(QDir(base).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList());
    EXPECT_TRUE(TScratchFolder::StandardBase().startsWith(QStandardPaths::writableLocation(QStandardPaths::CacheLocation)));
}
