#include "EditorFixture.h"

#include "sprites/PictureReader.h"

#include <QUndoStack>

#include <gtest/gtest.h>

namespace {

// The design in every respect a change in the editor touches.
QString Look(TDesignEditor &editor)
{
    QStringList parts;
    for (int i = 0; i < TImageSlots::Count; ++i) {
        const TSprite &sprite = editor.EditedDesign().Image(i);
        parts << QStringLiteral("%1x%2/%3/%4/%5")
                     .arg(sprite.Width())
                     .arg(sprite.Height())
                     .arg(sprite.FrameCount())
                     .arg(sprite.AnimationDelay())
                     .arg(sprite.AnimationLoop());
    }
    const TKeyValueList &params = editor.EditedDesign().Params();
    parts << params.Value("BackgroundColor") << editor.Author() << editor.Info() << editor.Photos().Entries();
    for (int n = 1; n <= TSoundFiles::Count; ++n)
        parts << editor.Sounds().File(n);
    return parts.join('|');
}

} // namespace

TEST_F(EditorTest, EveryKindOfChangeIsUndoneAndRedoneByName)
{
    Editor.Load("");
    QUndoStack &stack = Editor.History().Stack();
    TDesignRoot::WriteGif(Outside("rocket.gif"), 60, 40, 4);
    TDesignRoot::WriteBmp(Outside("cat.bmp"), 30, 20);
    TDesignRoot::WriteText(Outside("boom.wav"), "boom");
    const auto check = [&](const char *step, const std::function<void()> &change) {
        const QString before = Look(Editor);
        change();
        const QString after = Look(Editor);
        ASSERT_NE(after, before) << step;
        EXPECT_EQ(stack.undoText(), step);
        stack.undo();
        EXPECT_EQ(Look(Editor), before) << step;
        stack.redo();
        EXPECT_EQ(Look(Editor), after) << step;
    };
    Editor.Images().Select(5);
    Prompts.Pictures = {Outside("rocket.gif")};
    check("UndoPicture", [&] { Editor.LoadPicture(); });
    check("UndoAnimated", [&] { Editor.MakeStill("60"); });
    check("UndoSize", [&] { Editor.ResizePicture("30"); });
    check("UndoLoop", [&] { Editor.SetLoop(false); });
    check("UndoDelay", [&] { Editor.SetDelay("7"); });
    check("UndoReload", [&] { Editor.ReloadPicture(); });
    Editor.Images().Select(0);
    check("UndoColour", [&] { Editor.PickColour(QColor(1, 2, 3)); });
    Prompts.Pictures = {Outside("cat.bmp")};
    check("UndoAddPhotos", [&] { Editor.AddPhotos(-1); });
    TDesignRoot::WriteBmp(Outside("dog.bmp"), 20, 30);
    Prompts.Pictures = {Outside("dog.bmp")};
    Editor.AddPhotos(0);
    check("UndoMovePhotos", [&] { Editor.MovePhoto(1, 0); });
    check("UndoRemovePhotos", [&] { Editor.RemovePhotos({0}); });
    Prompts.Sound = OutsideWave("boom.wav");
    check("UndoSound", [&] { Editor.LoadSound(3); });
    check("UndoSound", [&] { Editor.SetSoundToDefault(3); });
    check("UndoAuthor", [&] { Editor.SetAuthor("Ann"); });
    check("UndoInfo", [&] { Editor.SetInfo("Sea"); });

    // A resize undone and redone still starts from the loaded original.
    Editor.Images().Select(5);
    Prompts.Pictures = {Outside("rocket.gif")};
    Editor.LoadPicture();
    Editor.ResizePicture("30");
    stack.undo();
    stack.redo();
    Editor.ResizePicture("90");
    EXPECT_EQ(Editor.EditedDesign().Image(5).Picture().Size(), QSize(90, 60));
    // Nothing changed, nothing to undo.
    const int steps = stack.count();
    Editor.SetInfo(Editor.Info());
    Editor.RemovePhotos({7});
    EXPECT_EQ(stack.count(), steps);
}

TEST_F(EditorTest, ChangedFollowsTheLastSaveAndUndoPastASaveFindsItsFilesAsTheyWere)
{
    MakeGarden(Root);
    Editor.Load("Garden");
    QUndoStack &stack = Editor.History().Stack();
    Editor.SetAuthor("B");
    Editor.SetAuthor("Bo");
    EXPECT_EQ(stack.count(), 1);   // typing is one step
    stack.undo();
    EXPECT_FALSE(Editor.Modified());
    stack.redo();
    EXPECT_TRUE(Editor.Modified());

    // Saving renumbers the photos; the removed one is gone from the folder.
    Editor.RemovePhotos({0});
    ASSERT_TRUE(Editor.Save());
    EXPECT_FALSE(Editor.Modified());
    EXPECT_EQ(stack.count(), 2);
    EXPECT_EQ(LoadPicture(Root.Dir("Garden") + "Photo_1.bmp").Size(), QSize(50, 30));
    stack.undo();
    EXPECT_TRUE(Editor.Modified());
    ASSERT_TRUE(Editor.Save());
    EXPECT_EQ(LoadPicture(Root.Dir("Garden") + "Photo_1.bmp").Size(), QSize(40, 30));
    EXPECT_EQ(LoadPicture(Root.Dir("Garden") + "Photo_2.bmp").Size(), QSize(50, 30));
    stack.redo();
    stack.undo();
    EXPECT_FALSE(Editor.Modified());

    // Another design starts with nothing to undo.
    Editor.Load("");
    EXPECT_EQ(stack.count(), 0);
    EXPECT_FALSE(Editor.Modified());
}

TEST_F(EditorTest, FitIsOfferedForPicturesLargerThanTheirPlaceAndUndone)
{
    Editor.Load("");
    const QSize field = Editor.EditedDesign().FieldSize();
    TDesignRoot::WriteBmp(Outside("wide.bmp"), 5000, 20);
    Prompts.Pictures = {Outside("wide.bmp")};
    Editor.Images().Select(0);
    ASSERT_TRUE(Editor.LoadPicture());
    EXPECT_EQ(Editor.Images().View().FileLabel, QDir::toNativeSeparators(Outside("wide.bmp")));
    ASSERT_EQ(Editor.Images().View().FitTo, field);
    EXPECT_TRUE(Editor.Images().View().BeyondField);
    EXPECT_EQ(Editor.FitNote(), "FitBeyondLimit");
    Editor.FitPicture();
    EXPECT_EQ(Editor.EditedDesign().Image(0).Picture().Size(), field);
    EXPECT_FALSE(Editor.Images().View().FitTo.has_value());
    Editor.History().Stack().undo();
    EXPECT_EQ(Editor.EditedDesign().Image(0).Width(), 5000);
    // Saved, the picture comes from the design's own file.
    Prompts.Designs = {QString("Wide")};
    ASSERT_TRUE(Editor.Save());
    EXPECT_EQ(Editor.Images().View().FileLabel, QDir::toNativeSeparators("Wide/Image0.bmp"));

    // Other pictures: only beyond twice the one they replace, fitted to it.
    const TSprite &bomb = Editor.EditedDesign().Image(1);
    const int side = std::max(bomb.Width(), bomb.Height());
    TDesignRoot::WriteBmp(Outside("twice.bmp"), 2 * side, side);
    TDesignRoot::WriteBmp(Outside("big.bmp"), 6 * side, 3 * side);
    Editor.Images().Select(1);
    Prompts.Pictures = {Outside("twice.bmp")};
    Editor.LoadPicture();
    EXPECT_FALSE(Editor.Images().View().FitTo.has_value());
    Prompts.Pictures = {Outside("big.bmp")};
    Editor.LoadPicture();
    ASSERT_TRUE(Editor.Images().View().FitTo.has_value());
    Editor.FitPicture();
    EXPECT_EQ(std::max(bomb.Width(), bomb.Height()), side);
}
