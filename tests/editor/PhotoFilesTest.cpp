#include "EditorFixture.h"

#include "editor/DesignExchange.h"
#include "sprites/PictureReader.h"
#include "support/ExifPictures.h"

#include <gtest/gtest.h>

namespace {

// A phone's portrait photo: 300 x 200 pixels stored, tagged to be turned a quarter clockwise.
QByteArray PhonePortrait()
{
    QImage stored(300, 200, QImage::Format_RGB32);
    stored.fill(qRgb(30, 120, 200));
    return JpegWithExif(stored, 6);
}

bool AnyFileHolds(const std::map<QString, QByteArray> &files, const QByteArray &bytes)
{
    for (const auto &[path, contents] : files)
        if (contents.contains(bytes))
            return true;
    return false;
}

} // namespace

TEST_F(EditorTest, PhotosAndPicturesReachTheDesignAndItsZipAsUprightPixelsOnly)
{
    const QString photo = Scratch.Write("beach.jpg", PhonePortrait());
    Editor.Load("");
    Prompts.Pictures = {photo};
    Editor.AddPhotos(-1);
    Editor.Images().Select(6);
    ASSERT_TRUE(Editor.LoadPicture());
    EXPECT_EQ(Editor.EditedDesign().Image(6).Picture().Size(), QSize(200, 300));
    Prompts.Designs = {QString("Trip")};
    ASSERT_TRUE(Editor.Save());
    EXPECT_EQ(LoadPicture(Root.Dir("Trip") + "Photo_1.bmp").Size(), QSize(67, 100));

    TDesignExchange exchange(Editor, Prompts, Language, Settings);
    // Unpacked again as another design, the archive's entries are files to look into.
    Prompts.Archive = Outside("Copy.zip");
    ASSERT_TRUE(exchange.SaveAsZip([](const QString &, const QString &, const QString &) {}));
    ASSERT_TRUE(exchange.ImportFromZip());
    ASSERT_TRUE(Root.Exists("Copy", "Image6.bmp"));
    ASSERT_TRUE(Root.Exists("Copy", "Photo_1.bmp"));
    const std::map<QString, QByteArray> files = Snapshot();
    for (const QByteArray &trace : {ExifSecret(), QByteArray("Exif\0\0", 6)}) {
        EXPECT_FALSE(AnyFileHolds(files, trace));
        EXPECT_FALSE(Scratch.Read("Copy.zip").contains(trace));
    }
}

TEST_F(EditorTest, UnreadablePicturesAreRefusedAtLoadInThePlayersLanguage)
{
    Language.SetLanguageFile(QStringLiteral(SNAPSTORM_BIN_DIR "/deutsch.lng"));
    Scratch.Write("broken.jpg", "no picture at all");
    const QString good = Scratch.Write("good.jpg", JpegBytes(QImage(40, 30, QImage::Format_RGB32)));
    Editor.Load("");
    Editor.Images().Select(2);
    Prompts.Pictures = {Outside("broken.jpg")};
    EXPECT_FALSE(Editor.LoadPicture());
    ASSERT_EQ(Prompts.Messages.size(), 1);
    EXPECT_TRUE(Prompts.Messages.at(0).startsWith("Das Bild „broken.jpg“ kann nicht verwendet werden: Es ist beschädigt"))
        << Prompts.Messages.at(0).toStdString();
    EXPECT_EQ(Editor.EditedDesign().Image(2).Picture().Size(), QSize(12, 22));
    EXPECT_FALSE(Editor.Modified());

    // Of several photos, those that can be read are added.
    Prompts.Pictures = {good, Outside("gone.heic")};
    Editor.AddPhotos(-1);
    EXPECT_EQ(Editor.Photos().Names(), QStringList{"good.jpg"});
    EXPECT_TRUE(Prompts.Messages.at(1).contains("„gone.heic“")) << Prompts.Messages.at(1).toStdString();
    EXPECT_TRUE(Prompts.Messages.at(1).contains("Die Datei gibt es nicht")) << Prompts.Messages.at(1).toStdString();

    Language.SetLanguageFile(QStringLiteral(SNAPSTORM_BIN_DIR "/english.lng"));
    Prompts.Pictures = {Outside("notes.txt")};
    Scratch.Write("notes.txt", "hello");
    EXPECT_FALSE(Editor.LoadPicture());
    EXPECT_TRUE(Prompts.Messages.at(2).startsWith("The picture \"notes.txt\" cannot be used: pictures of the kind \".txt\""))
        << Prompts.Messages.at(2).toStdString();
}

TEST_F(EditorTest, NewStartsWithoutDefaultsPhotosAndSaysItIsNew)
{
    Root.WriteText(Root.Dir("Default") + "!design.ini", "Version=Banana\r\nPhotoCount=2\r\n");
    TDesignRoot::WriteBmp(Root.Dir("Default") + "Photo_1.bmp", 40, 30);
    TDesignRoot::WriteBmp(Root.Dir("Default") + "Photo_2.bmp", 40, 30);
    MakeGarden(Root);
    Editor.Load("Garden");
    ASSERT_TRUE(Editor.New());
    EXPECT_TRUE(Editor.Photos().Entries().isEmpty());
    EXPECT_EQ(Editor.Caption("Editor"), "Editor [NewDesign]");
    EXPECT_FALSE(Editor.Modified());
    EXPECT_EQ(Editor.History().Stack().count(), 0);
    // Saved under a name, it is that design, without photos.
    Prompts.Designs = {QString("Fresh")};
    ASSERT_TRUE(Editor.Save());
    EXPECT_EQ(Editor.Caption("Editor"), "Editor [Fresh]");
    EXPECT_EQ(Editor.EditedDesign().PhotoCount(), 0);
}

TEST_F(EditorTest, PhotoNamesAreKeptShownAndUndoneWhileOtherReadersPassOverThem)
{
    TDesignRoot::WriteBmp(Outside("beach.bmp"), 40, 30);
    TDesignRoot::WriteBmp(Outside("tower.bmp"), 30, 40);
    Editor.Load("");
    Prompts.Pictures = {Outside("beach.bmp"), Outside("tower.bmp")};
    Editor.AddPhotos(-1);
    Prompts.Designs = {QString("Town")};
    ASSERT_TRUE(Editor.Save());
    TKeyValueList saved;
    saved.LoadFromFile(Root.Dir("Town") + "!design.ini");
    EXPECT_EQ(saved.Value("PhotoName1"), "beach.bmp");
    EXPECT_EQ(saved.Value("PhotoName2"), "tower.bmp");
    EXPECT_TRUE(Root.Exists("Town", "Photo_2.bmp"));

    // Reopened, the list shows the names; moving and removing take them along, and undo brings them back.
    Editor.Load("Town");
    EXPECT_EQ(Editor.Photos().Names(), QStringList({"beach.bmp", "tower.bmp"}));
    Editor.MovePhoto(1, 0);
    EXPECT_EQ(Editor.Photos().Names(), QStringList({"tower.bmp", "beach.bmp"}));
    Editor.RemovePhotos({0});
    EXPECT_EQ(Editor.Photos().Names(), QStringList{"beach.bmp"});
    Editor.History().Stack().undo();
    Editor.History().Stack().undo();
    EXPECT_EQ(Editor.Photos().Names(), QStringList({"beach.bmp", "tower.bmp"}));
    Editor.History().Stack().redo();
    Editor.History().Stack().redo();
    ASSERT_TRUE(Editor.Save());
    saved.LoadFromFile(Root.Dir("Town") + "!design.ini");
    EXPECT_EQ(saved.Value("PhotoName1"), "beach.bmp");
    EXPECT_EQ(saved.Value("PhotoName2"), QString());

    // A design written elsewhere: no names means the files' own, a stray
    // or hostile name is cleaned, and loading for play ignores the keys.
    Root.WriteText(Root.Dir("Odd") + "!design.ini", "PhotoCount=2\r\nPhotoName2=\x01tab\there\r\nPhotoName9=x\r\n");
    TDesignRoot::WriteBmp(Root.Dir("Odd") + "Photo_1.bmp", 40, 30);
    TDesignRoot::WriteBmp(Root.Dir("Odd") + "Photo_2.bmp", 40, 30);
    Editor.Load("Odd");
    EXPECT_EQ(Editor.Photos().Names(), QStringList({"Photo_1.bmp", "tab here"}));
    TGamePar game(Root.Root());
    game.Load("Odd");
    EXPECT_EQ(game.PhotoCount(), 2);
    EXPECT_EQ(game.Params().Value("PhotoName9"), "x");
}
