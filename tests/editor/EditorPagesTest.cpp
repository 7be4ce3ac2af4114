#include "EditorFixture.h"

#include "editor/ui/PictureFileDialog.h"
#include "lang/QtTranslation.h"
#include "sprites/PictureReader.h"

#include <gtest/gtest.h>

TEST_F(EditorTest, PhotoListRulesLeaveModifiedAloneWhenNothingChanges)
{
    TPhotoList &photos = Editor.Photos();
    EXPECT_EQ(photos.AddPhoto("/p/Cat.jpg", -1), 0);
    Editor.SetModified(false);
    EXPECT_EQ(photos.AddPhoto("/P/CAT.JPG", 0), 0);
    EXPECT_EQ(photos.Entries().size(), 1);
    EXPECT_FALSE(Editor.Modified());
    EXPECT_FALSE(photos.Remove({}));
    EXPECT_FALSE(photos.Remove({5}));
    EXPECT_FALSE(Editor.Modified());
    EXPECT_TRUE(photos.Remove({0}));
    EXPECT_TRUE(Editor.Modified());

    EXPECT_EQ(TPhotoList::CheckedSizeText("250"), "100");
    EXPECT_EQ(TPhotoList::CheckedSizeText("2"), "100");
    EXPECT_EQ(TPhotoList::CheckedSizeText("x"), "100");
    EXPECT_EQ(TPhotoList::CheckedSizeText("200"), "200");
    EXPECT_EQ(TPhotoList::SizeOf("abc"), 100);
}

TEST_F(EditorTest, AnimatedRocketResizedBecomesAStillPictureOfThatSize)
{
    Editor.Load("");
    TDesignRoot::WriteGif(Outside("rocket.gif"), 60, 40, 4);
    Prompts.Pictures = {Outside("rocket.gif")};
    Editor.Images().Select(5);
    ASSERT_TRUE(Editor.LoadPicture());
    EXPECT_TRUE(Editor.Images().View().Animated);
    EXPECT_EQ(Settings.Value(TDesignEditor::PictureDirKey), Scratch.Path() + "/");

    Editor.Images().Resize("30");
    const TSprite &rocket = Editor.EditedDesign().Image(5);
    EXPECT_FALSE(rocket.IsAnimated());
    EXPECT_EQ(rocket.Picture().Size(), QSize(30, 20));
    EXPECT_FALSE(Editor.Images().View().Animated);
    // Each resize starts from the original, not from the last result.
    Editor.Images().Resize("90");
    EXPECT_EQ(Editor.EditedDesign().Image(5).Picture().Size(), QSize(90, 60));
    EXPECT_EQ(Editor.Images().Original().FrameCount(), 4);
}

TEST_F(EditorTest, BackgroundColourBelongsToTheBackgroundEntryOnly)
{
    Editor.Load("");
    TKeyValueList &params = Editor.EditedDesign().Params();
    Editor.Images().Select(1);
    Editor.Images().PickColour(Qt::red);
    EXPECT_EQ(Editor.Images().Backdrop(), QColor(Qt::red));
    EXPECT_EQ(params.Value("BackgroundColor"), "");
    EXPECT_FALSE(Editor.Modified());

    Editor.Images().Select(0);
    Editor.Images().PickColour(Qt::red);
    EXPECT_EQ(params.Value("BackgroundColor"), "255");
    EXPECT_TRUE(Editor.Images().View().Colour.has_value());

    TDesignRoot::WriteBmp(Outside("sky.bmp"), 30, 20);
    Prompts.Pictures = {Outside("sky.bmp")};
    ASSERT_TRUE(Editor.LoadPicture());
    EXPECT_EQ(params.IndexOfKey("BackgroundColor"), -1);
    EXPECT_EQ(Editor.Images().View().SizeLabel, "30 x 20");

    // Not a number: the picture is shown, as the game does.
    params.SetValue("BackgroundColor", "red");
    EXPECT_NO_THROW(Editor.Images().Select(0));
    EXPECT_FALSE(Editor.Images().View().Colour.has_value());
}

TEST_F(EditorTest, UndoRereadsThePictureAndAnUnreadableFileChangesNothing)
{
    Editor.Load("");
    Editor.Images().Select(2);
    Prompts.Pictures = {Outside("missing.bmp")};
    EXPECT_FALSE(Editor.LoadPicture());
    EXPECT_EQ(Prompts.Messages.size(), 1);
    EXPECT_EQ(Editor.EditedDesign().Image(2).Picture().Size(), QSize(12, 22));
    Editor.Images().Resize("50");
    Editor.Images().Undo();
    EXPECT_EQ(Editor.Images().View().SizeLabel, "12 x 22");
}

TEST_F(EditorTest, InfoTextsSoundChoiceAndPlaySwitch)
{
    Editor.Load("");
    Editor.SetAuthor("Ann");
    EXPECT_EQ(Editor.Author(), "Ann");
    Editor.SetAuthor("");
    EXPECT_EQ(Editor.EditedDesign().Params().IndexOfKey("Author"), -1);

    Prompts.Sound = OutsideWave("boom.wav");
    ASSERT_TRUE(Editor.LoadSound(2));
    EXPECT_EQ(Editor.Sounds().File(2), Outside("boom.wav"));
    EXPECT_EQ(Settings.Value(TDesignEditor::SoundDirKey), Scratch.Path() + "/");
    Editor.Sounds().SetToDefault(2);
    EXPECT_TRUE(Editor.Sounds().IsDefaultFile(2));

    EXPECT_TRUE(Editor.CanPlaySounds());
    Settings.SetValue("NoDirectSound", "1");
    EXPECT_FALSE(Editor.CanPlaySounds());
}

// Under English the picture dialog used to offer "Alle Dateien".
TEST(PictureFilters, TheAllPicturesFilterSpeaksThePlayersLanguage)
{
    UseQtTranslation(QStringLiteral("de"));
    EXPECT_TRUE(PictureFilters().first().startsWith(QStringLiteral("Alle Dateien ("))) << PictureFilters().first().toStdString();
    UseQtTranslation(QStringLiteral("en"));
    EXPECT_TRUE(PictureFilters().first().startsWith(QStringLiteral("All Files ("))) << PictureFilters().first().toStdString();
}

// A player's title picture in a colour the red score lines cannot be read
// over is named; Garden's own title picture is black and yellow and passes.
TEST_F(EditorTest, TitleHintNamesTitlePicturesTheScoreLinesCannotBeReadOver)
{
    MakeGarden(Root);
    Editor.Load("Garden");
    EXPECT_TRUE(Editor.TitleHint().isEmpty());
    QImage grey(60, 200, QImage::Format_RGB32);
    grey.fill(Qt::white);
    grey.setPixel(30, 150, qRgb(128, 128, 128));
    grey.save(Root.Dir("Garden") + "Image12.bmp", "BMP");
    Editor.Load("Garden");
    EXPECT_EQ(Editor.TitleHint(), QStringLiteral("TitleContrast"));
}
