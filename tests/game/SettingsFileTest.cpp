#include "play/HighScoreTable.h"
#include "game/SettingsFile.h"

#include "base/FolderLock.h"
#include "base/TextFile.h"
#include "support/ChildProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QString Score(int score, const QString &name)
{
    return QStringLiteral("Score=") + FormatScoreEntry(score, name, QStringLiteral("Default"));
}

void AddScore(TKeyValueList &settings, int score, const QString &name)
{
    THighScoreTable table;
    table.Load(settings);
    table.Record(Score(score, name).mid(6));
    table.WriteTo(settings);
}

} // namespace

TEST(SettingsFile, TwoCopiesKeepEachOthersScoresAndSettings)
{
    TempDir dir;
    // The program's UTF-8 line beside a hand-edited ANSI comment.
    dir.Write("snapstorm.ini", "; caf\xE9\nSound=1\nLanguage=english.lng\n"
                               "Score=000000000010;J\xC3\xB6rg;Default\n");
    TSettingsFile fileA({dir.File("snapstorm.ini"), {}});
    TSettingsFile fileB({dir.File("snapstorm.ini"), {}});
    TKeyValueList a;
    TKeyValueList b;
    fileA.Load(a);
    fileB.Load(b);

    a.SetValue("Sound", "0");
    AddScore(a, 50, "Ann");
    ASSERT_TRUE(fileA.Save(a));
    b.SetValue("Language", "deutsch.lng");
    AddScore(b, 30, "Bob");
    ASSERT_TRUE(fileB.Save(b));

    EXPECT_EQ(dir.Read("snapstorm.ini"), "; caf\xC3\xA9\nSound=0\nLanguage=deutsch.lng\n"
                                         "Score=000000000010;J\xC3\xB6rg;Default\n"
                                         "Score=000000000030;Bob;Default\n"
                                         "Score=000000000050;Ann;Default\n");
    // The copy that wrote last now shows the other's score too.
    EXPECT_TRUE(b.Lines().contains(Score(50, "Ann")));
    // A key only the other copy changed keeps its value at this copy's next write.
    a.SetValue("HighScore", "5");
    ASSERT_TRUE(fileA.Save(a));
    EXPECT_EQ(TKeyValueList(a.Lines()).Value("Language"), "deutsch.lng");
}

TEST(SettingsFile, MergedTableIsTheBestTwentyOfBoth)
{
    QStringList theirs;
    for (int i = 1; i <= 20; ++i)
        theirs << Score(i * 10, QString("T%1").arg(i));
    const QStringList base = {Score(10, "T1")};
    const QStringList mine = {Score(10, "T1"), Score(15, "Mine"), Score(500, "Best")};
    THighScoreTable merged;
    merged.Load(TKeyValueList(TSettingsFile::Merge(base, mine, theirs)));
    ASSERT_EQ(merged.Entries().size(), 20);
    EXPECT_EQ(merged.Entries().first().toStdString(), Score(20, "T2").mid(6).toStdString());
    EXPECT_EQ(merged.Entries().last().toStdString(), Score(500, "Best").mid(6).toStdString());
    // Scores untouched here leave the other copy's lines exactly as they stand.
    EXPECT_EQ(TSettingsFile::Merge(base, base + QStringList{"Sound=0"}, theirs),
              theirs + QStringList{"Sound=0"});
}

TEST(SettingsFile, NothingIsWrittenWhileAnotherCopyHoldsTheLock)
{
    TempDir dir;
    dir.Write("snapstorm.ini", "Sound=1\n");
    TSettingsFile file({dir.File("snapstorm.ini"), {}});
    file.SetLockTimeout(50);
    TKeyValueList settings;
    file.Load(settings);
    settings.SetValue("Sound", "0");
    {
        const TFolderLock other(dir.Path(), TFolderLock::Mode::Exclusive, 0);
        ASSERT_TRUE(other.Locked());
        EXPECT_FALSE(file.Save(settings));
        EXPECT_FALSE(file.ErrorString().isEmpty());
        EXPECT_EQ(dir.Read("snapstorm.ini"), "Sound=1\n");
    }
    EXPECT_TRUE(file.Save(settings));
    EXPECT_EQ(dir.Read("snapstorm.ini"), "Sound=0\n");
}

TEST(SettingsFile, ReadOnlyInstallFallsBackToTheConfigFolderSeededFromTheInstall)
{
    TempDir install;
    TempDir config;
    const QString portable = install.Write("snapstorm.ini", "Language=deutsch.lng\n");
    QStringList writable;
    auto isWritable = [&](const QString &path) { return writable.contains(path); };

    writable = {install.Path()};
    EXPECT_EQ(TSettingsFile::Locate(install.Path(), "snapstorm", config.Path(), isWritable).Path, portable);
    writable = {portable};
    EXPECT_EQ(TSettingsFile::Locate(install.Path(), "snapstorm", config.Path(), isWritable).Path, portable);
    writable = {};
    const TSettingsLocation location =
        TSettingsFile::Locate(install.Path(), "snapstorm", config.Path(), isWritable);
    EXPECT_EQ(location.Path, config.File("snapstorm/snapstorm.ini"));
    EXPECT_EQ(location.SeedPath, portable);

    TSettingsFile file(location);
    TKeyValueList settings;
    file.Load(settings);
    EXPECT_EQ(settings.Value("Language"), "deutsch.lng");
    settings.SetValue("Sound", "0");
    ASSERT_TRUE(file.Save(settings));
    EXPECT_EQ(config.Read("snapstorm/snapstorm.ini"), "Language=deutsch.lng\nSound=0\n");
    EXPECT_EQ(install.Read("snapstorm.ini"), "Language=deutsch.lng\n");
}

TEST(SettingsFile, WritableFileInAReadOnlyFolderIsRewrittenInPlace)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "folder permissions do not bind the superuser";
    TempDir dir;
    const QString path = dir.Write("snapstorm.ini", "Sound=1\n");
    ::chmod(QFile::encodeName(dir.Path()).constData(), 0555);
    TSettingsFile file(TSettingsFile::Locate(dir.Path(), "snapstorm", dir.File("config")));
    TKeyValueList settings;
    file.Load(settings);
    settings.SetValue("Sound", "0");
    const bool saved = file.Save(settings);
    ::chmod(QFile::encodeName(dir.Path()).constData(), 0755);
    EXPECT_TRUE(saved);
    EXPECT_EQ(file.Path(), path);
    EXPECT_EQ(dir.Read("snapstorm.ini"), "Sound=0\n");
}

// A full disk used to replace the file with an empty one: every score lost.
TEST(SettingsFile, AFullDiskKeepsEveryScoreAndSaysWhy)
{
    TempDir dir;
    TSettingsFile file(TSettingsFile::Locate(dir.Path(), "snapstorm", dir.File("config")));
    TKeyValueList settings;
    file.Load(settings);
    AddScore(settings, 900, "Ann");
    ASSERT_TRUE(file.Save(settings));
    const QByteArray saved = dir.Read("snapstorm.ini");

    const ChildProcess::TResult result = ChildProcess::RunOnFullDisk(QByteArray(saved).size() + 10, [&] {
        AddScore(settings, 800, "Bob");
        AddScore(settings, 700, "Cy");
        if (!file.Save(settings))
            throw std::runtime_error(file.ErrorString().toStdString());
    });
    EXPECT_EQ(result.Outcome, ChildProcess::TResult::Threw);
    EXPECT_NE(result.Message.find("high scores could not be saved"), std::string::npos) << result.Message;
    EXPECT_NE(result.Message.find(dir.File("snapstorm.ini").toStdString()), std::string::npos) << result.Message;
    EXPECT_EQ(dir.Read("snapstorm.ini"), saved);

    // The next save tidies what a writer killed before its rename left.
    dir.Write(".snapstorm.ini.0badf00d.part", "half");
    ASSERT_TRUE(file.Save(settings));
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files | QDir::Hidden), QStringList{"snapstorm.ini"});
}

// A kill between the write and the cut used to leave the new text followed
// by the old file's tail: a stray half score line.
TEST(SettingsFile, AKillAtAnyStepOfARewriteInPlaceLeavesOldOrNewSettingsAndEveryScore)
{
    for (const bool shorter : {true, false}) {
        for (int step = 1; step <= 5; ++step) {
            TempDir dir;
            QByteArray old = "Sound=1\nPlayerName=" + QByteArray(shorter ? 300 : 1, 'x') + "\n";
            for (int i = 1; i <= 20; ++i)
                old += Score(i * 1000, QStringLiteral("Big")).toUtf8() + "\n";
            const QString path = dir.Write("ro/snapstorm.ini", old);
            ::chmod(QFile::encodeName(path).constData(), 0666);
            ::chmod(QFile::encodeName(dir.Path()).constData(), 0755);
            ::chmod(QFile::encodeName(dir.File("ro")).constData(), 0555);
            TSettingsFile file({path, {}});
            TKeyValueList settings;
            file.Load(settings);
            settings.SetValue("PlayerName", shorter ? "y" : QString(300, 'y'));
            const ChildProcess::TResult result = ChildProcess::Run([&] {
                ChildProcess::ActAsOrdinaryUser();
                qputenv("SNAPSTORM_KILL_AT_STEP", QByteArray::number(step));
                if (!file.Save(settings))
                    throw std::runtime_error(file.ErrorString().toStdString());
            });
            ::chmod(QFile::encodeName(dir.File("ro")).constData(), 0755);
            SCOPED_TRACE(testing::Message() << "shorter " << shorter << ", step " << step);
            EXPECT_EQ(result.Outcome, step <= 4 ? ChildProcess::TResult::Killed : ChildProcess::TResult::Returned)
                << result.Message;
            QStringList lines = SplitLines(QString::fromUtf8(dir.Read("ro/snapstorm.ini")));
            lines.removeAll(QString());
            const TKeyValueList read(lines);
            EXPECT_EQ(read.Lines().size(), 22);
            EXPECT_TRUE(read.Value("PlayerName") == settings.Value("PlayerName")
                        || read.Value("PlayerName") == (shorter ? QString(300, 'x') : "x"));
            for (int i = 1; i <= 20; ++i)
                EXPECT_TRUE(lines.contains(Score(i * 1000, QStringLiteral("Big")))) << i;
            file.Load(settings);
            ASSERT_TRUE(file.Save(settings));
            EXPECT_FALSE(dir.Read("ro/snapstorm.ini").endsWith("\n\n"));
        }
    }
}
