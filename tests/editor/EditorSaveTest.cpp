#include "EditorFixture.h"

#include "sprites/PictureReader.h"

#include <gtest/gtest.h>

using TAnswer = TDesignPrompts::TAnswer;

TEST_F(EditorTest, SavePhotosShrinksAndKeepsTheCellAtLeastTheShip)
{
    Editor.Load("");
    TDesignRoot::WriteBmp(Outside("big.bmp"), 1200, 800);
    TDesignRoot::WriteBmp(Outside("small.bmp"), 64, 48);
    TDesignRoot::WriteBmp(Outside("ship.bmp"), 120, 30);
    Prompts.Pictures = {Outside("ship.bmp")};
    Editor.Images().Select(6);
    Editor.LoadPicture();
    Prompts.Pictures = {Outside("big.bmp"), Outside("small.bmp")};
    EXPECT_EQ(Editor.AddPhotos(-1), 1);
    Prompts.Designs = {QString("Sea")};
    ASSERT_TRUE(Editor.Save());

    const TGamePar &sea = Editor.EditedDesign();
    EXPECT_EQ(LoadPicture(Root.Dir("Sea") + "Photo_1.bmp").Size(), QSize(100, 67));
    EXPECT_EQ(LoadPicture(Root.Dir("Sea") + "Photo_2.bmp").Size(), QSize(64, 48));
    EXPECT_EQ(sea.BigShipWidth(), 120);
    EXPECT_EQ(sea.BigShipHeight(), 67);
    EXPECT_EQ(Editor.Photos().Entries(), QStringList({Root.Dir("Sea") + "Photo_1.bmp", Root.Dir("Sea") + "Photo_2.bmp"}));
    EXPECT_EQ(sea.DesignDir(), Root.Dir("Sea"));
    EXPECT_FALSE(Editor.Modified());
    EXPECT_EQ(Editor.Caption("Editor"), "Editor [Sea]");
}

TEST_F(EditorTest, DefaultIsNeverWrittenAndAnotherDesignOnlyAfterYes)
{
    MakeGarden(Root);
    Editor.Load("default");
    Prompts.Designs = {QString("DEFAULT")};
    EXPECT_FALSE(Editor.Save());
    // Names that read as Default: Cherokee, Lisu, a Braille blank after it.
    for (const QString &lookAlike : {QString::fromUtf16(u"\u13A0efault"),
                                     QString::fromUtf16(u"\uA4D3\uA4F0\uA4DD\uA4EE\uA4F4\uA4E1\uA4D4"),
                                     QString::fromUtf16(u"Default\u2800")}) {
        Prompts.Designs = {lookAlike};
        EXPECT_FALSE(Editor.SaveAs());
    }
    EXPECT_EQ(Prompts.Messages, QStringList(4, "CannotsavetoDefault"));
    Prompts.Messages.clear();

    const auto before = Snapshot();
    Prompts.Designs = {QString("garden")};
    Prompts.Answers = {TAnswer::No};
    EXPECT_FALSE(Editor.SaveAs());
    EXPECT_EQ(Prompts.Questions, QStringList{"Override Design\n\"garden\""});
    EXPECT_EQ(Snapshot(), before);

    // Yes: the folder holds only what the new design writes; sub-folders stay.
    TDesignRoot::WriteText(Root.Dir("Garden") + "notes/keep.txt", "mine");
    Prompts.Designs = {QString("garden")};
    Prompts.Answers = {TAnswer::Yes};
    ASSERT_TRUE(Editor.SaveAs());
    EXPECT_FALSE(Root.Exists("Garden", "Photo_1.bmp"));
    EXPECT_FALSE(Root.Exists("Garden", "Image10.gif"));
    EXPECT_TRUE(Root.Exists("Garden", "notes/keep.txt"));
    EXPECT_TRUE(Root.Exists("Garden", "!design.ini"));
}

TEST_F(EditorTest, SaveInPlaceKeepsWhatItDoesNotWriteAndAppliesSoundChoices)
{
    MakeGarden(Root);
    Editor.Load("Garden");
    Editor.Sounds().SetToDefault(3);
    TDesignRoot::WriteText(Outside("bell.wav"), "bell");
    Editor.Sounds().SetFile(1, Outside("bell.wav"));
    TDesignRoot::WriteText(Outside("same.wav"), "default sound 2");
    Editor.Sounds().SetFile(2, Outside("same.wav"));
    Prompts.Designs = {QString("GARDEN")};
    ASSERT_TRUE(Editor.SaveAs());
    EXPECT_TRUE(Prompts.Questions.isEmpty());

    EXPECT_FALSE(Root.Exists("Garden", "Sound3.wav"));
    QFile bell(Root.Dir("Garden") + "Sound1.wav");
    ASSERT_TRUE(bell.open(QIODevice::ReadOnly));
    EXPECT_EQ(bell.readAll(), "bell");
    EXPECT_FALSE(Root.Exists("Garden", "Sound2.wav"));   // same as Default's: reduced away
    EXPECT_TRUE(Root.Exists("Garden", "Image10.gif"));   // its own title picture stays its own
    EXPECT_TRUE(Root.Exists("Garden", "Photo_2.bmp"));
    EXPECT_EQ(Editor.EditedDesign().Params().Value("Author"), "Ann");
    // Nothing is left beside the design folder.
    for (const auto &[path, bytes] : Snapshot())
        EXPECT_FALSE(path.startsWith('.')) << path.toStdString();
}

TEST_F(EditorTest, FailedSavesLeaveTheDesignFolderAndTheEditorAsTheyWere)
{
    MakeGarden(Root);
    Editor.Load("Garden");
    const auto before = Snapshot();
    auto expectUnchanged = [&](const char *what) {
        EXPECT_EQ(Snapshot(), before) << what;
        EXPECT_TRUE(Editor.Modified()) << what;
        EXPECT_EQ(Editor.EditedDesign().DesignName(), "Garden") << what;
        EXPECT_EQ(Editor.EditedDesign().DesignDir(), Root.Dir("Garden")) << what;
        EXPECT_EQ(Editor.EditedDesign().PhotoCount(), 2) << what;
    };

    // The last photo cannot be read.
    Editor.Photos().AddPhoto(Outside("gone.jpg"), 0);
    EXPECT_THROW(Editor.Save(), EPictureError);
    expectUnchanged("unreadable photo");
    Editor.Photos().Remove({2});

    // A sound that cannot be copied is an error, not a silent skip.
    Editor.Sounds().SetFile(4, Outside("gone.wav"));
    EXPECT_THROW(Editor.Save(), EDesignError);
    expectUnchanged("sound not copied");
    Editor.Sounds().SetToDefault(4);

    // A design root that refuses the hidden folder; a file in its way stands
    // in for a read-only root, which does not stop a test run as root.
    TDesignRoot::WriteText(Root.Root() + ".Garden.saving", "in the way");
    const auto blocked = Snapshot();
    EXPECT_THROW(Editor.Save(), EDesignError);
    EXPECT_EQ(Snapshot(), blocked);
    QFile::remove(Root.Root() + ".Garden.saving");

    // The swap itself fails half way: a folder where a new file must go.
    QDir().mkpath(Root.Dir("Garden") + "Sound5.wav");
    Editor.Sounds().SetFile(5, Root.Dir("Garden") + "Sound3.wav");
    EXPECT_THROW(Editor.Save(), EDesignError);
    expectUnchanged("swap failed");
}

TEST_F(EditorTest, QuerySaveAnswersDecideNewOpenAndClose)
{
    MakeGarden(Root);
    Editor.Load("Garden");
    Editor.SetAuthor("Bob");

    Prompts.Answers = {TAnswer::Cancel};
    EXPECT_FALSE(Editor.New());
    EXPECT_EQ(Editor.EditedDesign().DesignName(), "Garden");
    EXPECT_EQ(Editor.Author(), "Bob");
    EXPECT_EQ(Prompts.Questions, QStringList{"Save changes"});

    Prompts.Answers = {TAnswer::Yes};
    Prompts.Designs = {QString("Sea")};   // the design chosen by Open after the save
    ASSERT_TRUE(Editor.Open());
    EXPECT_EQ(Editor.EditedDesign().DesignName(), "Default");  // Sea does not exist
    TGamePar saved(Root.Root());
    saved.Load("Garden");
    EXPECT_EQ(saved.Params().Value("Author"), "Bob");

    Editor.Load("Garden");
    Editor.SetAuthor("Cy");
    Prompts.Answers = {TAnswer::No};
    EXPECT_TRUE(Editor.New());
    EXPECT_EQ(Editor.EditedDesign().DesignName(), "Default");
    EXPECT_FALSE(Editor.Modified());
    EXPECT_TRUE(Editor.CanClose());
    saved.Load("Garden");
    EXPECT_EQ(saved.Params().Value("Author"), "Bob");

    // Yes whose save is cancelled keeps the editor open.
    Editor.SetAuthor("Dee");
    Prompts.Answers = {TAnswer::Yes};
    Prompts.Designs = {std::nullopt};
    EXPECT_FALSE(Editor.CanClose());
    EXPECT_TRUE(Editor.Modified());
}

TEST_F(EditorTest, ADesignBuiltInTheEditorReopensAsItWasSaved)
{
    Editor.Load("");
    QImage photo(300, 150, QImage::Format_RGB32);
    photo.fill(Qt::green);
    ASSERT_TRUE(photo.save(Outside("a.png")));
    QImage tall(80, 160, QImage::Format_RGB32);
    tall.fill(Qt::blue);
    ASSERT_TRUE(tall.save(Outside("b.jpg"), "JPEG"));
    TDesignRoot::WriteGif(Outside("c.gif"), 20, 20, 1);
    Prompts.Pictures = {Outside("a.png"), Outside("b.jpg"), Outside("c.gif")};
    Editor.AddPhotos(-1);
    TDesignRoot::WriteGif(Outside("rocket.gif"), 80, 40, 3);
    Prompts.Pictures = {Outside("rocket.gif")};
    Editor.Images().Select(5);
    Editor.LoadPicture();
    Editor.Images().Resize("40");
    Editor.Images().Select(0);
    Editor.Images().PickColour(Qt::red);
    Prompts.Sound = OutsideWave("s1.wav");
    Editor.LoadSound(1);
    Editor.SetAuthor("Ann");
    Prompts.Designs = {QString("Garden")};
    ASSERT_TRUE(Editor.Save());

    TDesignEditor reopened(Prompts, Language, Settings, Root.Root());
    reopened.Load("Garden");
    EXPECT_EQ(reopened.Author(), "Ann");
    EXPECT_EQ(reopened.EditedDesign().BackgroundColor(), QColor(Qt::red));
    EXPECT_EQ(reopened.Photos().Entries().size(), 3);
    EXPECT_EQ(LoadPicture(reopened.Photos().Entries().at(0)).Size(), QSize(100, 50));
    EXPECT_EQ(LoadPicture(reopened.Photos().Entries().at(1)).Size(), QSize(50, 100));
    EXPECT_EQ(reopened.EditedDesign().Image(5).Picture().Size(), QSize(40, 20));
    EXPECT_EQ(reopened.Sounds().File(1), Root.Dir("Garden") + "Sound1.wav");
    EXPECT_TRUE(reopened.Sounds().IsDefaultFile(2));
    EXPECT_FALSE(Root.Exists("Garden", "Image0.bmp"));
}
