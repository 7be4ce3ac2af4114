#include "EditorFixture.h"

#include "design/DesignPreviewMaker.h"
#include "design/TitleContrast.h"
#include "editor/TitleMaker.h"
#include "sprites/PictureReader.h"
#include "support/ExifPictures.h"

#include <QUndoStack>

#include <gtest/gtest.h>

namespace {

// A photo of many colours, as a real one has.
void WritePhoto(const QString &path, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, (x * y) % 256));
    QDir().mkpath(QFileInfo(path).absolutePath());
    image.save(path);
}

// The banner's plate is light; the test designs' fields are dark at the top.
int LightPixelsAtTop(const QImage &preview)
{
    int light = 0;
    for (int y = 0; y < preview.height() / 10; ++y)
        for (int x = 0; x < preview.width(); ++x)
            light += QColor(preview.pixel(x, y)).lightness() > 220;
    return light;
}

QSize SavedField(const TDesignRoot &root, const QString &name)
{
    TGamePar par(root.Root());
    par.Load(name);
    return {par.ClientWidth(), par.ClientHeight()};
}

} // namespace

// The trial that left bands inside the field: a Background fitted first,
// photos, their size and the field-sizing pictures changed afterwards.
TEST_F(EditorTest, AFittedBackgroundFollowsTheFieldWhateverTheOrderOfTheEdits)
{
    Editor.Load("");
    QUndoStack &stack = Editor.History().Stack();
    const TSprite &background = Editor.EditedDesign().Image(0);
    WritePhoto(Outside("beach.jpg"), 800, 600);
    for (const char *name : {"a.jpg", "b.jpg"})
        WritePhoto(Outside(name), 120, 90);

    Editor.Images().Select(0);
    Prompts.Pictures = {Outside("beach.jpg")};
    ASSERT_TRUE(Editor.LoadPicture());
    const QSize before = Editor.SavedFieldSize();
    EXPECT_EQ(Editor.Images().View().FitTo, before);
    Editor.FitPicture();
    EXPECT_EQ(background.Picture().Size(), before);

    // Photos larger than the ship picture widen the field: one more step, by name.
    Prompts.Pictures = {Outside("a.jpg"), Outside("b.jpg")};
    const int steps = stack.count();
    Editor.AddPhotos(-1);
    const QSize withPhotos = Editor.SavedFieldSize();
    EXPECT_NE(withPhotos, before);
    EXPECT_EQ(background.Picture().Size(), withPhotos);
    EXPECT_EQ(stack.count(), steps + 2);
    EXPECT_EQ(stack.undoText(), "UndoFollow");
    EXPECT_EQ(Editor.FieldSizeText(), QStringLiteral("%1 x %2").arg(withPhotos.width()).arg(withPhotos.height()));

    // Typing a photo size follows at every key, yet leaves one step.
    const int typed = stack.count();
    Editor.SetPhotoSizeText("5");
    Editor.SetPhotoSizeText("50");
    EXPECT_EQ(background.Picture().Size(), Editor.SavedFieldSize());
    EXPECT_EQ(stack.count(), typed + 1);

    // The photos gone, then a larger ship picture.
    Editor.RemovePhotos({0, 1});
    EXPECT_EQ(background.Picture().Size(), before);
    TDesignRoot::WriteBmp(Outside("ship.bmp"), 90, 70);
    Editor.Images().Select(6);
    Prompts.Pictures = {Outside("ship.bmp")};
    ASSERT_TRUE(Editor.LoadPicture());
    EXPECT_EQ(background.Picture().Size(), Editor.SavedFieldSize());

    // Undoing only the follow leaves it behind the field; the save fits it still.
    stack.undo();
    EXPECT_NE(background.Picture().Size(), Editor.SavedFieldSize());
    Prompts.Designs = {QString("Holiday")};
    ASSERT_TRUE(Editor.SaveAs());
    const QSize saved = SavedField(Root, "Holiday");
    EXPECT_EQ(LoadPicture(Root.Dir("Holiday") + "Image0.bmp").Size(), saved);

    // Opened again, a Background of the field's size still follows it.
    Editor.Load("Holiday");
    Editor.SetPhotoSizeText("100");
    Prompts.Pictures = {Outside("a.jpg")};
    Editor.AddPhotos(-1);
    EXPECT_EQ(background.Picture().Size(), Editor.SavedFieldSize());
    EXPECT_NE(Editor.SavedFieldSize(), saved);
}

TEST_F(EditorTest, FitOffersTheFieldTheSaveWillMakeAndAPictureResizedByHandStaysPut)
{
    Editor.Load("");
    const QSize stored = Editor.EditedDesign().FieldSize();
    WritePhoto(Outside("a.jpg"), 120, 90);
    Prompts.Pictures = {Outside("a.jpg")};
    Editor.AddPhotos(-1);
    WritePhoto(Outside("beach.jpg"), 800, 600);
    Editor.Images().Select(0);
    Prompts.Pictures = {Outside("beach.jpg")};
    ASSERT_TRUE(Editor.LoadPicture());
    ASSERT_TRUE(Editor.Images().View().FitTo.has_value());
    EXPECT_NE(*Editor.Images().View().FitTo, stored);
    EXPECT_EQ(*Editor.Images().View().FitTo, Editor.SavedFieldSize());

    // A Background smaller than the field is offered the field too.
    Editor.ResizePicture("100");
    EXPECT_EQ(Editor.FitNote(), "FitSmaller");
    const int steps = Editor.History().Stack().count();
    Editor.RemovePhotos({0});
    EXPECT_EQ(Editor.EditedDesign().Image(0).Width(), 100);
    EXPECT_EQ(Editor.History().Stack().count(), steps + 1);
}

TEST_F(EditorTest, MakeTitleDrawsReadableAnimatedTitlesAsOneStep)
{
    Editor.Load("");
    QUndoStack &stack = Editor.History().Stack();
    for (const char *name : {"a.jpg", "b.jpg", "c.jpg"})
        WritePhoto(Outside(name), 160, 120);
    Prompts.Pictures = {Outside("a.jpg"), Outside("b.jpg"), Outside("c.jpg")};
    Editor.AddPhotos(-1);

    EXPECT_FALSE(Editor.MakeTitle());   // cancelled
    Prompts.Texts = {QString("   ")};
    EXPECT_FALSE(Editor.MakeTitle());
    const int steps = stack.count();
    Prompts.Texts = {QString("Summer by the Sea")};
    ASSERT_TRUE(Editor.MakeTitle());
    EXPECT_EQ(stack.count(), steps + 1);
    EXPECT_EQ(stack.undoText(), "UndoTitle");
    const TGamePar &design = Editor.EditedDesign();
    const QSize field = Editor.SavedFieldSize();
    for (int i = 10; i <= 12; ++i) {
        EXPECT_GT(design.Image(i).FrameCount(), 1) << i;   // ends, so the next title follows
        EXPECT_EQ(design.Image(i).Width(), field.width()) << i;
    }
    EXPECT_TRUE(TTitleContrast::FailingPictures(design, field.height()).empty());
    EXPECT_TRUE(Editor.TitleHint().isEmpty());

    stack.undo();
    EXPECT_EQ(design.Image(10).Width(), 20);   // Default's again
    stack.redo();

    // Saved and loaded as the game loads it: the same check, on its own field.
    Prompts.Designs = {QString("Sea")};
    ASSERT_TRUE(Editor.SaveAs());
    TGamePar saved(Root.Root());
    saved.Load("Sea");
    saved.ComputeLayout();
    EXPECT_TRUE(Root.Exists("Sea", "Image10.gif"));
    EXPECT_TRUE(TTitleContrast::FailingPictures(saved).empty());
    EXPECT_GT(saved.Image(12).FrameCount(), 1);
    EXPECT_FALSE(saved.Image(10).AnimationLoop());

    // The gallery shows the design's own title over its field; Default has none of its own here.
    const TDesignPreviewMaker maker(Root.Root());
    EXPECT_GT(LightPixelsAtTop(maker.Make("Sea").Image), 0);
    EXPECT_EQ(LightPixelsAtTop(maker.Make("Default").Image), 0);
}

// A title made before the photos that widen the field, as the trials went.
TEST_F(EditorTest, AMadeTitleFollowsTheFieldUntilAnotherPictureTakesItsPlace)
{
    Editor.Load("");
    LanguageFile = QStringLiteral(SNAPSTORM_BIN_DIR "/english.lng");
    Editor.SetNames({"Background", "1", "2", "3", "4", "5", "6", "7", "8", "9", "Title 1", "Title 2", "Title 3"}, {});
    QUndoStack &stack = Editor.History().Stack();
    const TGamePar &design = Editor.EditedDesign();
    Prompts.Texts = {QString("Summer")};
    ASSERT_TRUE(Editor.MakeTitle());
    const QSize before = Editor.SavedFieldSize();

    WritePhoto(Outside("a.jpg"), 160, 120);
    Prompts.Pictures = {Outside("a.jpg")};
    const int steps = stack.count();
    Editor.AddPhotos(-1);
    const QSize after = Editor.SavedFieldSize();
    ASSERT_NE(after, before);
    EXPECT_EQ(stack.count(), steps + 2);
    EXPECT_EQ(stack.undoText(), "Fit of Title 1, Title 2, Title 3 to the new field");
    for (int i = 10; i <= 12; ++i)
        EXPECT_EQ(design.Image(i).Width(), after.width()) << i;
    EXPECT_TRUE(TTitleContrast::FailingPictures(design, after.height()).empty());
    stack.undo();
    EXPECT_EQ(design.Image(10).Width(), before.width());
    stack.redo();
    EXPECT_EQ(design.Image(10).Width(), after.width());

    // A picture loaded in place of one of them: the titles stay as they are.
    TDesignRoot::WriteBmp(Outside("own.bmp"), 90, 30);
    Editor.Images().Select(11);
    Prompts.Pictures = {Outside("own.bmp")};
    ASSERT_TRUE(Editor.LoadPicture());
    Editor.RemovePhotos({0});
    EXPECT_EQ(design.Image(10).Width(), after.width());
    EXPECT_EQ(design.Image(11).Width(), 90);
}

// Titles readable on any field, long names and a single photo included.
TEST(TitleMaker, TitlesPassTheContrastCheckOnSmallAndLargeFields)
{
    TempDir dir;
    WritePhoto(dir.File("p.bmp"), 300, 100);
    const std::vector<TPicture> photos{LoadPicture(dir.File("p.bmp"))};
    for (const QSize field : {QSize(200, 150), QSize(770, 550), QSize(1600, 1200)}) {
        const std::array<TPicture, 3> titles =
            TTitleMaker(field).Make(QStringLiteral("A rather long name for a design, longer than fits"), photos);
        int top = 0;
        for (const TPicture &title : titles) {
            EXPECT_EQ(title.Width(), field.width());
            EXPECT_EQ(TTitleContrast::FailingPixels(title, TTitleContrast::TextTop(field.height()) - top), 0);
            top += title.Height();
        }
        EXPECT_LT(top, field.height() / 2) << "room is left for the score lines";
    }
}

// A phone's portrait photo is stored on its side: the field the editor
// promises must be the one its upright pixels give at the save.
TEST_F(EditorTest, TheFieldPromisedForAPortraitPhonePhotoIsTheSavedOne)
{
    Editor.Load("");
    QFile photo(Outside("tower.jpg"));
    QDir().mkpath(QFileInfo(photo).absolutePath());
    ASSERT_TRUE(photo.open(QIODevice::WriteOnly));
    photo.write(JpegWithExif(StoredFor(QImage(90, 160, QImage::Format_RGB32), 6), 6));
    photo.close();
    Prompts.Pictures = {photo.fileName()};
    Editor.AddPhotos(-1);
    Editor.SetPhotoSizeText("150");
    const QSize promised = Editor.SavedFieldSize();
    Prompts.Designs = {QString("Tower")};
    ASSERT_TRUE(Editor.SaveAs());
    EXPECT_EQ(SavedField(Root, "Tower"), promised);
}
