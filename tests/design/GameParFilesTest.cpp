#include "DesignFixture.h"

#include "design/GamePar.h"
#include "sprites/PictureReader.h"

#include <gtest/gtest.h>

namespace {

class GameParWrite : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mRoot.MakeDefault();
        mPar = std::make_unique<TGamePar>(mRoot.Root());
        mPar->Load(QString());
        mPar->SetDesignName(QStringLiteral("Mine"));
        mPar->SetDesignDir(Dir());
    }
    QString Dir() const { return mRoot.Dir(QStringLiteral("Mine")); }
    QString DefaultFile(const QString &name) const { return mRoot.Dir(QStringLiteral("Default")) + name; }
    bool Has(const QString &name) const { return mRoot.Exists(QStringLiteral("Mine"), name); }
    void CopyFromDefault(const QString &name, const QString &as = QString()) const
    {
        QDir().mkpath(Dir());
        QFile::copy(DefaultFile(name), Dir() + (as.isEmpty() ? name : as));
    }

    TDesignRoot mRoot;
    std::unique_ptr<TGamePar> mPar;
};

} // namespace

TEST_F(GameParWrite, AnimatedPictureIsWrittenAsGifWithItsKeys)
{
    TDesignRoot::WriteGif(mRoot.Root() + QStringLiteral("anim.gif"), 30, 20, 3);
    TSprite sprite;
    sprite.SetPicture(LoadPicture(mRoot.Root() + QStringLiteral("anim.gif")));
    sprite.SetAnimationDelay(-4);
    sprite.SetAnimationLoop(false);
    TDesignRoot::WriteBmp(Dir() + QStringLiteral("IMAGE7.BMP"), 5, 5);
    mPar->SaveImage(sprite, 7);
    EXPECT_TRUE(Has(QStringLiteral("Image7.gif")));
    EXPECT_FALSE(Has(QStringLiteral("IMAGE7.BMP")));
    EXPECT_EQ(LoadPicture(Dir() + QStringLiteral("Image7.gif")).FrameCount(), 3);
    EXPECT_EQ(mPar->Params().Value(QStringLiteral("AnimationDelay7")), QStringLiteral("0"));
    EXPECT_EQ(mPar->Params().Value(QStringLiteral("AnimationLoop7")), QStringLiteral("0"));
}

TEST_F(GameParWrite, StillPicturesAreWrittenAsBitmapAndDropTheirGif)
{
    TDesignRoot::WriteGif(mRoot.Root() + QStringLiteral("one.gif"), 30, 20, 1);
    TSprite sprite;
    sprite.SetPicture(LoadPicture(mRoot.Root() + QStringLiteral("one.gif")));
    TDesignRoot::WriteGif(Dir() + QStringLiteral("Image7.gif"), 30, 20, 2);
    mPar->SaveImage(sprite, 7);
    EXPECT_TRUE(Has(QStringLiteral("Image7.bmp")));
    EXPECT_FALSE(Has(QStringLiteral("Image7.gif")));
    EXPECT_EQ(LoadPicture(Dir() + QStringLiteral("Image7.bmp")).Size(), QSize(30, 20));
    EXPECT_TRUE(mPar->Params().Value(QStringLiteral("AnimationDelay7")).isEmpty());

    mPar->SaveImage(mPar->Image(2), 2);
    EXPECT_TRUE(Has(QStringLiteral("Image2.bmp")));
}

TEST_F(GameParWrite, SaveImagesWritesEveryPictureTitlesIncluded)
{
    mPar->SaveImages();
    for (int i = 0; i <= 12; ++i)
        EXPECT_TRUE(Has(QStringLiteral("Image%1.bmp").arg(i))) << i;
}

TEST_F(GameParWrite, EmptyPictureIsRefusedNotWrittenAsGarbage)
{
    TSprite empty;
    EXPECT_THROW(mPar->SaveImage(empty, 3), EDesignError);
    EXPECT_FALSE(Has(QStringLiteral("Image3.bmp")));
}

TEST_F(GameParWrite, SaveParamsWritesLayoutAndKeepsUnknownLinesWithCrLf)
{
    mPar->Params().Lines().append(QStringLiteral("just a note"));
    mPar->Params().SetValue(QStringLiteral("Author"), QStringLiteral("Me"));
    mPar->SetPhotoCount(2);
    mPar->SaveParams();
    const QByteArray text = mRoot.Dir(QStringLiteral("Mine")).isEmpty() ? QByteArray() : [&] {
        QFile f(Dir() + QStringLiteral("!design.ini"));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    EXPECT_TRUE(text.contains("just a note\r\n"));
    EXPECT_TRUE(text.contains("Author=Me\r\n"));
    EXPECT_TRUE(text.contains("PhotoCount=2\r\n"));
    EXPECT_TRUE(text.contains("BigShipWidth=16\r\n"));
    EXPECT_TRUE(text.contains("ClientWidth=" + QByteArray::number(36 * 5 + 170) + "\r\n"));
    EXPECT_TRUE(text.contains("Version=Banana\r\n"));
    EXPECT_FALSE(text.contains("\n\n"));

    TGamePar again(mRoot.Root());
    again.Load(QStringLiteral("Mine"));
    EXPECT_EQ(again.PhotoCount(), 2);
    EXPECT_EQ(again.Params().Value(QStringLiteral("Author")), QStringLiteral("Me"));
}

TEST_F(GameParWrite, SaveParamsReportsAFolderThatCannotBeMade)
{
    TDesignRoot::WriteText(mRoot.Root() + QStringLiteral("blocker"), "a file, not a folder");
    mPar->SetDesignDir(mRoot.Root() + QStringLiteral("blocker/Mine/"));
    EXPECT_THROW(mPar->SaveParams(), EDesignError);
}

TEST_F(GameParWrite, ReductionDeletesOnlyWhatEqualsDefault)
{
    CopyFromDefault(QStringLiteral("Image10.bmp"));
    CopyFromDefault(QStringLiteral("Image4.bmp"), QStringLiteral("image4.BMP"));
    TDesignRoot::WriteBmp(Dir() + QStringLiteral("Image5.bmp"), 99, 9);
    CopyFromDefault(QStringLiteral("Sound3.wav"));
    TDesignRoot::WriteText(Dir() + QStringLiteral("Sound4.wav"), "my own sound");
    TDesignRoot::WriteText(Dir() + QStringLiteral("readme.txt"), "kept");
    mPar->RemoveRedundantFiles();
    EXPECT_FALSE(Has(QStringLiteral("Image10.bmp")));
    EXPECT_FALSE(Has(QStringLiteral("image4.BMP")));
    EXPECT_TRUE(Has(QStringLiteral("Image5.bmp")));
    EXPECT_FALSE(Has(QStringLiteral("Sound3.wav")));
    EXPECT_TRUE(Has(QStringLiteral("Sound4.wav")));
    EXPECT_TRUE(Has(QStringLiteral("readme.txt")));
    for (int i = 0; i <= 12; ++i)
        EXPECT_TRUE(QFileInfo::exists(DefaultFile(QStringLiteral("Image%1.bmp").arg(i))));
}

TEST_F(GameParWrite, ReductionPrefersTheGifOfAPicture)
{
    TDesignRoot::WriteBmp(Dir() + QStringLiteral("Image3.bmp"), 50, 9);
    TDesignRoot::WriteGif(Dir() + QStringLiteral("Image3.gif"), 50, 9, 2);
    mPar->RemoveRedundantFiles();
    EXPECT_FALSE(Has(QStringLiteral("Image3.bmp")));
    EXPECT_TRUE(Has(QStringLiteral("Image3.gif")));
}

TEST_F(GameParWrite, ReductionDropsTheBackgroundPictureWhenAColourIsSet)
{
    TDesignRoot::WriteBmp(Dir() + QStringLiteral("Image0.bmp"), 50, 9);
    TDesignRoot::WriteGif(Dir() + QStringLiteral("Image0.gif"), 50, 9, 2);
    mPar->Params().SetValue(QStringLiteral("BackgroundColor"), QStringLiteral("255"));
    mPar->RemoveRedundantFiles();
    EXPECT_FALSE(Has(QStringLiteral("Image0.bmp")));
    EXPECT_FALSE(Has(QStringLiteral("Image0.gif")));
}

TEST_F(GameParWrite, ReductionDeletesStalePhotosButKeepsTheDesignsOwn)
{
    for (const char *name : {"Photo_1.bmp", "photo_2.BMP", "Photo_3.bmp", "Photo_4.bmp", "Photo_5.bmp", "Photo_x.png"})
        TDesignRoot::WriteBmp(Dir() + QLatin1String(name), 8, 8);
    mPar->SetPhotoCount(3);
    mPar->RemoveRedundantFiles();
    EXPECT_TRUE(Has(QStringLiteral("Photo_1.bmp")));
    EXPECT_TRUE(Has(QStringLiteral("photo_2.BMP")));
    EXPECT_TRUE(Has(QStringLiteral("Photo_3.bmp")));
    EXPECT_FALSE(Has(QStringLiteral("Photo_4.bmp")));
    EXPECT_FALSE(Has(QStringLiteral("Photo_5.bmp")));
    EXPECT_TRUE(Has(QStringLiteral("Photo_x.png")));
}

TEST_F(GameParWrite, ReductionNeverTouchesDefault)
{
    TDesignRoot::WriteBmp(DefaultFile(QStringLiteral("Photo_9.bmp")), 8, 8);
    for (const char *name : {"Default", "DEFAULT", "default", ""}) {
        mPar->SetDesignName(QLatin1String(name));
        mPar->SetDesignDir(mRoot.Dir(QStringLiteral("Default")));
        mPar->Params().SetValue(QStringLiteral("BackgroundColor"), QStringLiteral("1"));
        mPar->RemoveRedundantFiles();
    }
    // Under another name, but the same folder.
    mPar->SetDesignName(QStringLiteral("Sneaky"));
    mPar->RemoveRedundantFiles();
    EXPECT_TRUE(QFileInfo::exists(DefaultFile(QStringLiteral("Image0.bmp"))));
    EXPECT_TRUE(QFileInfo::exists(DefaultFile(QStringLiteral("Photo_9.bmp"))));
    EXPECT_TRUE(QFileInfo::exists(DefaultFile(QStringLiteral("Sound1.wav"))));
}

TEST_F(GameParWrite, SavedDesignWithDefaultSoundsAndPicturesShrinksToItsKeyList)
{
    mPar->SaveImages();
    for (int n = 1; n <= 7; ++n)
        CopyFromDefault(QStringLiteral("Sound%1.wav").arg(n));
    mPar->SaveParams();
    mPar->RemoveRedundantFiles();
    QStringList left = QDir(Dir()).entryList(QDir::Files);
    // Pictures re-encoded by the picture writer may differ in bytes from
    // Default's; sounds are copied and must all be gone.
    for (int n = 1; n <= 7; ++n)
        EXPECT_FALSE(left.contains(QStringLiteral("Sound%1.wav").arg(n)));
    EXPECT_TRUE(left.contains(QStringLiteral("!design.ini")));
}
