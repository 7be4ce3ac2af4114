#include "EditorFixture.h"

#include "editor/DesignExchange.h"

TEST_F(EditorTest, ZipCommandsSaveAndImportThroughTheChooser)
{
    Root.WriteText(Root.Dir("Sea") + "!design.ini", "Author=Ann\r\n");
    Root.WriteText(Root.Dir("Sea") + "sub/inner.txt", "not packed");
    Editor.Load("Sea");
    TDesignExchange exchange(Editor, Prompts, Messages, Settings);

    QStringList shown;
    const auto showFolder = [&](const QString &folder, const QString &message, const QString &path) {
        shown << folder << message << path;
    };
    EXPECT_FALSE(exchange.SaveAsZip(showFolder)); // cancelled
    Prompts.Archive = Outside("Lake.zip");
    ASSERT_TRUE(exchange.SaveAsZip(showFolder));
    EXPECT_EQ(Prompts.Questions, QStringList{"\"" + Outside("Lake.zip") + "\"\r\nZipSaved"});
    // Shown on Yes; should no file manager start, the archive is named.
    Prompts.Answers = {TFakePrompts::TAnswer::Yes};
    ASSERT_TRUE(exchange.SaveAsZip(showFolder));
    EXPECT_EQ(shown, (QStringList{Scratch.Path(), "FolderNotShown", Outside("Lake.zip")}));
    const QString folder = QFileInfo(Outside("Lake.zip")).absolutePath() + "/";
    EXPECT_EQ(Settings.Value(TDesignExchange::DirKey), folder);

    // Importing the archive makes it the edited design, changes dropped.
    Editor.SetModified(true);
    ASSERT_TRUE(exchange.ImportFromZip());
    EXPECT_EQ(Editor.EditedDesign().DesignName(), "Lake");
    EXPECT_EQ(Editor.Author(), "Ann");
    EXPECT_FALSE(Editor.Modified());
    EXPECT_FALSE(Root.Exists("Lake", "inner.txt"));
    EXPECT_EQ(Prompts.ArchiveRequests.value(1), (QStringList{"", "Sea", "save"}));
    EXPECT_EQ(Prompts.ArchiveRequests.value(3), (QStringList{folder, "", "open"}));

    // A refused import keeps the editor and the remembered folder.
    Settings.SetValue(TDesignExchange::DirKey, "/elsewhere/");
    Prompts.Archive = Outside("missing.zip");
    EXPECT_FALSE(exchange.ImportFromZip());
    EXPECT_EQ(Prompts.Messages.value(0), "\"" + Outside("missing.zip") + "\"\r\nNotDesignArchive");
    EXPECT_EQ(Settings.Value(TDesignExchange::DirKey), "/elsewhere/");
    EXPECT_EQ(Editor.EditedDesign().DesignName(), "Lake");
}
