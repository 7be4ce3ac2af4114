#include "EditorFixture.h"

#include "design/StagedFolder.h"
#include "exchange/DesignArchive.h"
#include "support/ChildProcess.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <functional>

using TAnswer = TDesignPrompts::TAnswer;
using TResult = ChildProcess::TResult;

namespace {

class InterruptedWriteTest : public EditorTest
{
protected:
    // Garden as a player left it, with a folder of their own inside.
    void ResetGarden()
    {
        QDir(Root.Dir("Garden")).removeRecursively();
        MakeGarden(Root);
        TDesignRoot::WriteText(Root.Dir("Garden") + "notes/idea.txt", "keep me");
    }

    std::map<QString, QByteArray> Garden() const
    {
        std::map<QString, QByteArray> files;
        for (const auto &[path, bytes] : Snapshot()) {
            if (path.startsWith("Garden/"))
                files[path] = bytes;
        }
        return files;
    }

    QStringList HiddenInRoot() const
    {
        return QDir(Root.Root()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
            .filter(QRegularExpression("^\\."));
    }

    void SaveWithNewSound()
    {
        TDesignRoot::WriteText(Outside("bell.wav"), QByteArray(3000, 'b'));
        Editor.Load("Garden");
        Editor.Sounds().SetFile(1, Outside("bell.wav"));
        Editor.Save();
    }

    // An archive of another Garden: new settings and a sound.
    QString NewGardenArchive()
    {
        TDesignRoot::WriteText(Outside("new/Garden/!design.ini"), "Author=Bo\r\n");
        TDesignRoot::WriteText(Outside("new/Garden/Sound1.wav"), QByteArray(3000, 'n'));
        PackDesignFolder(Outside("new/Garden"), Outside("Garden.zip"));
        return Outside("Garden.zip");
    }

    void ImportOverGarden(const QString &archive)
    {
        Prompts.Answers = {TAnswer::Yes};
        if (!ImportDesignZip(archive, Messages, Prompts, Root.Root()))
            throw std::runtime_error(Prompts.Messages.join("\n").toStdString());
    }

    // Stops `write` at each of its steps in turn, as a kill or power cut
    // would; after the next start's recovery Garden must be old or new.
    void ExpectOldOrNewAfterEveryKill(const std::function<void()> &write)
    {
        ResetGarden();
        const auto old = Garden();
        const TResult whole = ChildProcess::Run(write);
        ASSERT_EQ(whole.Outcome, TResult::Returned) << whole.Message;
        const auto fresh = Garden();
        ASSERT_NE(fresh, old);
        EXPECT_EQ(fresh.at("Garden/notes/idea.txt"), "keep me");
        int kills = 0;
        for (int step = 1;; ++step) {
            ResetGarden();
            const TResult run = ChildProcess::Run([&] {
                qputenv("SNAPSTORM_KILL_AT_STEP", QByteArray::number(step));
                write();
            });
            TStagedFolder::RecoverLeftovers(Root.Root());
            const auto now = Garden();
            EXPECT_TRUE(now == old || now == fresh) << "killed at step " << step;
            EXPECT_EQ(HiddenInRoot(), QStringList()) << "killed at step " << step;
            if (run.Outcome == TResult::Returned)
                break;
            ASSERT_EQ(run.Outcome, TResult::Killed) << run.Message;
            ++kills;
            ASSERT_LT(step, 200);
        }
        EXPECT_GE(kills, 5);
    }
};

} // namespace

TEST_F(InterruptedWriteTest, AKillAtAnyStepOfASaveOrImportLeavesTheDesignOldOrNew)
{
    ExpectOldOrNewAfterEveryKill([this] { SaveWithNewSound(); });
    const QString archive = NewGardenArchive();
    ExpectOldOrNewAfterEveryKill([this, archive] { ImportOverGarden(archive); });
}

// A full disk used to commit empty pictures and sounds, and to leave the
// hidden staging folder behind when the first copy failed.
TEST_F(InterruptedWriteTest, AFullDiskLeavesEverythingAsItWasAndSaysSo)
{
    ResetGarden();
    const QString archive = NewGardenArchive();
    TDesignRoot::WriteText(Outside("Garden.old.zip"), "the archive sent last week");
    const auto before = Snapshot();

    const TResult save = ChildProcess::RunOnFullDisk(2000, [this] { SaveWithNewSound(); });
    EXPECT_EQ(save.Outcome, TResult::Threw);
    EXPECT_NE(save.Message.find("\"Garden\" was not saved"), std::string::npos) << save.Message;
    EXPECT_NE(save.Message.find("larger than the system allows"), std::string::npos) << save.Message;
    EXPECT_EQ(Snapshot(), before);

    const TResult import = ChildProcess::RunOnFullDisk(2000, [&] { ImportOverGarden(archive); });
    EXPECT_EQ(import.Outcome, TResult::Threw);
    EXPECT_NE(import.Message.find("Sound1.wav"), std::string::npos) << import.Message;
    EXPECT_EQ(Snapshot(), before);

    const TResult pack = ChildProcess::RunOnFullDisk(
        100, [&] { PackDesignFolder(Root.Dir("Garden"), Outside("Garden.old.zip")); });
    EXPECT_EQ(pack.Outcome, TResult::Threw);
    EXPECT_NE(pack.Message.find("Garden.old.zip"), std::string::npos) << pack.Message;
    EXPECT_EQ(QDir(Scratch.Path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{"Garden.old.zip", "Garden.zip", "bell.wav"}));
    EXPECT_EQ(Scratch.Read("Garden.old.zip"), "the archive sent last week");
}
