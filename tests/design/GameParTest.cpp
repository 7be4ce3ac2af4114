#include "DesignFixture.h"

#include "base/Random.h"
#include "design/GamePar.h"
#include "sprites/PictureError.h"

#include <gtest/gtest.h>

#include <set>

namespace {

QSize SizeOf(const TSprite &sprite) { return {sprite.Width(), sprite.Height()}; }

class GameParLoad : public ::testing::Test
{
protected:
    void SetUp() override { mRoot.MakeDefault(); }
    QString Dir(const QString &name) const { return mRoot.Dir(name); }

    TDesignRoot mRoot;
};

} // namespace

TEST_F(GameParLoad, NewObjectHoldsDefaultsAndThirteenEmptyPictures)
{
    TGamePar par(mRoot.Root());
    EXPECT_EQ(par.Images().Count(), 13);
    EXPECT_TRUE(par.Image(0).Picture().IsEmpty());
    EXPECT_EQ(par.Params().Value(QStringLiteral("Version")), QStringLiteral("Banana"));
    EXPECT_EQ(par.FormationLeft(), 20);
    EXPECT_EQ(par.ShipDistX(), 90);
    EXPECT_EQ(par.HomeTop(), 290);
    EXPECT_EQ(par.CanonTop(), 360);
    EXPECT_EQ(par.BombChance(), 200);
    EXPECT_EQ(par.LivesLeft(), 120);
    EXPECT_EQ(par.BonusScore(), 5000);
    EXPECT_EQ(par.BigShipWidth(), 0);
    EXPECT_EQ(par.ClientWidth(), 0);
}

TEST_F(GameParLoad, SetDefaultsKeepsTheDesignSuppliedSizes)
{
    TGamePar par(mRoot.Root());
    par.SetBigShipWidth(11);
    par.SetClientHeight(22);
    par.SetCanonStartLeft(33);
    par.SetShipDistX(1);
    par.SetPhotoCount(4);
    par.SetDefaults();
    EXPECT_EQ(par.BigShipWidth(), 11);
    EXPECT_EQ(par.ClientHeight(), 22);
    EXPECT_EQ(par.CanonStartLeft(), 33);
    EXPECT_EQ(par.ShipDistX(), 90);
    EXPECT_EQ(par.PhotoCount(), 0);
}

TEST_F(GameParLoad, EmptyOrMissingNameLoadsDefault)
{
    for (const char *name : {"", "NoSuchDesign"}) {
        TGamePar par(mRoot.Root());
        par.Load(QLatin1String(name));
        EXPECT_EQ(par.DesignName(), QStringLiteral("Default")) << name;
        EXPECT_EQ(par.DesignDir(), Dir(QStringLiteral("Default")));
        EXPECT_TRUE(par.IsDefault());
        EXPECT_EQ(SizeOf(par.Image(6)), QSize(16, 26));
    }
}

TEST_F(GameParLoad, IsDefaultFollowsTheName)
{
    TGamePar par(mRoot.Root());
    for (const char *name : {"", "Default", "DEFAULT", "default"}) {
        par.SetDesignName(QLatin1String(name));
        EXPECT_TRUE(par.IsDefault()) << name;
    }
    par.SetDesignName(QStringLiteral("Defaults"));
    EXPECT_FALSE(par.IsDefault());
}

TEST_F(GameParLoad, PicturesResolveDesignGifThenBmpThenDefaultGifThenBmp)
{
    TDesignRoot::WriteGif(Dir(QStringLiteral("Default")) + QStringLiteral("Image2.gif"), 302, 30, 2);
    TDesignRoot::WriteGif(Dir(QStringLiteral("Default")) + QStringLiteral("Image3.gif"), 303, 30, 2);
    TDesignRoot::WriteGif(Dir(QStringLiteral("Default")) + QStringLiteral("Image4.gif"), 304, 30, 2);
    TDesignRoot::WriteGif(Dir(QStringLiteral("A")) + QStringLiteral("Image3.gif"), 203, 30, 2);
    TDesignRoot::WriteBmp(Dir(QStringLiteral("A")) + QStringLiteral("Image3.bmp"), 103, 30);
    TDesignRoot::WriteBmp(Dir(QStringLiteral("A")) + QStringLiteral("Image4.bmp"), 104, 30);
    TGamePar par(mRoot.Root());
    par.Load(QStringLiteral("A"));
    EXPECT_EQ(par.Image(3).Width(), 203); // design GIF beats design BMP
    EXPECT_EQ(par.Image(4).Width(), 104); // design BMP beats Default GIF
    EXPECT_EQ(par.Image(2).Width(), 302); // Default GIF beats Default BMP
    EXPECT_EQ(par.Image(5).Width(), 15);  // Default BMP last
    EXPECT_EQ(par.ImageFile(3), Dir(QStringLiteral("A")) + QStringLiteral("Image3.gif"));
    EXPECT_EQ(par.ImageFile(7), Dir(QStringLiteral("Default")) + QStringLiteral("Image7.bmp"));
}

TEST_F(GameParLoad, MissingPictureEverywhereNamesTheDefaultBmp)
{
    QFile::remove(Dir(QStringLiteral("Default")) + QStringLiteral("Image5.bmp"));
    QDir().mkpath(Dir(QStringLiteral("A")));
    TGamePar par(mRoot.Root());
    EXPECT_EQ(par.ImageFile(5), Dir(QStringLiteral("Default")) + QStringLiteral("Image5.bmp"));
    try {
        par.Load(QStringLiteral("A"));
        FAIL() << "a missing picture must stop the load";
    } catch (const EPictureError &e) {
        EXPECT_NE(QString::fromUtf8(e.what()).indexOf(QStringLiteral("Image5.bmp")), -1) << e.what();
    }
    // The pictures before it are the new design's; the name already is.
    EXPECT_EQ(par.DesignName(), QStringLiteral("A"));
    EXPECT_EQ(par.Image(4).Width(), 14);
}

TEST_F(GameParLoad, FolderWithOnlyKeyListUsesEveryPictureAndSoundOfDefault)
{
    TDesignRoot::WriteText(Dir(QStringLiteral("Bare")) + QStringLiteral("!design.ini"), "Author=me\r\n");
    TGamePar par(mRoot.Root());
    par.Load(QStringLiteral("Bare"));
    EXPECT_EQ(par.DesignName(), QStringLiteral("Bare"));
    for (int i = 0; i < 13; ++i)
        EXPECT_EQ(SizeOf(par.Image(i)), QSize(10 + i, 20 + i)) << i;
    for (int n = 1; n <= 7; ++n)
        EXPECT_EQ(par.SoundFile(n), Dir(QStringLiteral("Default")) + QStringLiteral("Sound%1.wav").arg(n));
}

TEST_F(GameParLoad, SoundsComeFromTheDesignWhenPresentInAnyCase)
{
    TDesignRoot::WriteText(Dir(QStringLiteral("A")) + QStringLiteral("sound1.WAV"), "own");
    TGamePar par(mRoot.Root());
    par.Load(QStringLiteral("A"));
    EXPECT_EQ(par.SoundFile(1), Dir(QStringLiteral("A")) + QStringLiteral("sound1.WAV"));
    EXPECT_EQ(par.SoundFile(2), Dir(QStringLiteral("Default")) + QStringLiteral("Sound2.wav"));
}

TEST_F(GameParLoad, NamesInsideDesignsAndDefaultFolderMatchWithoutCase)
{
    TDesignRoot other;
    other.MakeDefault(QStringLiteral("default"));
    TDesignRoot::WriteBmp(other.Dir(QStringLiteral("default")) + QStringLiteral("IMAGE6.BMP"), 66, 20);
    QFile::remove(other.Dir(QStringLiteral("default")) + QStringLiteral("Image6.bmp"));
    TDesignRoot::WriteGif(other.Dir(QStringLiteral("Alpha")) + QStringLiteral("IMAGE3.GIF"), 203, 30, 3);
    TDesignRoot::WriteText(other.Dir(QStringLiteral("Alpha")) + QStringLiteral("!DESIGN.INI"), "PhotoCount=1\r\n");
    TDesignRoot::WriteBmp(other.Dir(QStringLiteral("Alpha")) + QStringLiteral("PHOTO_1.BMP"), 77, 21);
    TGamePar par(other.Root());
    par.Load(QStringLiteral("alpha"));
    EXPECT_EQ(par.DesignName(), QStringLiteral("alpha"));
    EXPECT_EQ(par.Image(3).Width(), 203);
    EXPECT_EQ(par.Image(6).Width(), 66);
    EXPECT_EQ(par.PhotoCount(), 1);
    TSprite ship;
    par.AssignImage(ship, -1);
    EXPECT_EQ(ship.Width(), 77);
}

TEST_F(GameParLoad, KeyListReadsFirstLineAndDoesNotTrimBlanks)
{
    TDesignRoot::WriteText(Dir(QStringLiteral("A")) + QStringLiteral("!design.ini"),
                           "PhotoCount = 3\r\nbigshipwidth=40\nBigShipWidth=99\rBigShipHeight=x\r\n"
                           "some note without equals\r\nClientWidth=-5\r\n");
    TGamePar par(mRoot.Root());
    par.Load(QStringLiteral("A"));
    EXPECT_EQ(par.PhotoCount(), 0);
    EXPECT_EQ(par.BigShipWidth(), 40);
    EXPECT_EQ(par.BigShipHeight(), 0);
    EXPECT_EQ(par.ClientWidth(), -5);
    EXPECT_TRUE(par.Params().Lines().contains(QStringLiteral("some note without equals")));
}

TEST_F(GameParLoad, AbsentShipCellTakesTheShipPictureSize)
{
    TDesignRoot::WriteText(Dir(QStringLiteral("A")) + QStringLiteral("!design.ini"), "Version=Banana\r\n");
    TGamePar par(mRoot.Root());
    par.Load(QStringLiteral("A"));
    EXPECT_EQ(par.BigShipWidth(), 0);
    par.ComputeLayout();
    EXPECT_EQ(par.BigShipWidth(), 16);
    EXPECT_EQ(par.BigShipHeight(), 26);
}

TEST_F(GameParLoad, NothingOfThePreviousDesignLeaksIntoTheNext)
{
    TDesignRoot::WriteText(Dir(QStringLiteral("A")) + QStringLiteral("!design.ini"),
                           "BackgroundColor=255\r\nBigShipWidth=300\r\nAuthor=A\r\n");
    QDir().mkpath(Dir(QStringLiteral("NoKeys")));
    TDesignRoot::WriteText(Dir(QStringLiteral("SomeKeys")) + QStringLiteral("!design.ini"), "Info=x\r\n");
    TGamePar par(mRoot.Root());
    par.Load(QStringLiteral("A"));
    EXPECT_EQ(par.BackgroundColor(), QColor(255, 0, 0));
    par.Load(QStringLiteral("NoKeys"));
    EXPECT_FALSE(par.BackgroundColor().has_value());
    EXPECT_TRUE(par.Params().Value(QStringLiteral("Author")).isEmpty());
    EXPECT_EQ(par.Params().Value(QStringLiteral("Version")), QStringLiteral("Banana"));
    EXPECT_EQ(par.BigShipWidth(), 0);
    par.Load(QStringLiteral("A"));
    par.Load(QStringLiteral("SomeKeys"));
    EXPECT_EQ(par.BigShipWidth(), 0);
}

TEST_F(GameParLoad, AnimationKeysHaveTheirDefaultsAndRules)
{
    TGamePar par(mRoot.Root());
    EXPECT_EQ(par.GetAnimationDelay(7), 0);
    EXPECT_EQ(par.GetAnimationLoop(7), 1);
    par.Params().SetValue(QStringLiteral("AnimationDelay7"), QStringLiteral("abc"));
    par.Params().SetValue(QStringLiteral("AnimationLoop7"), QStringLiteral("yes"));
    EXPECT_EQ(par.GetAnimationDelay(7), 0);
    EXPECT_EQ(par.GetAnimationLoop(7), 1);
    par.SetAnimationDelay(5, -3);
    EXPECT_EQ(par.Params().Value(QStringLiteral("AnimationDelay5")), QStringLiteral("0"));
    par.SetAnimationDelay(5, 4);
    EXPECT_EQ(par.GetAnimationDelay(5), 4);
    par.SetAnimationLoop(5, false);
    EXPECT_EQ(par.Params().Value(QStringLiteral("AnimationLoop5")), QStringLiteral("0"));
    EXPECT_EQ(par.GetAnimationLoop(5), 0);
}

TEST_F(GameParLoad, AnimatedPicturesTakeTheirKeysStillOnesKeepTheirs)
{
    TDesignRoot::WriteGif(Dir(QStringLiteral("A")) + QStringLiteral("Image7.gif"), 40, 30, 4);
    TDesignRoot::WriteGif(Dir(QStringLiteral("A")) + QStringLiteral("Image8.gif"), 40, 30, 1);
    TDesignRoot::WriteGif(Dir(QStringLiteral("A")) + QStringLiteral("Image10.gif"), 40, 30, 3);
    TDesignRoot::WriteText(Dir(QStringLiteral("A")) + QStringLiteral("!design.ini"),
                           "AnimationDelay7=3\r\nAnimationLoop7=0\r\nAnimationDelay8=9\r\nAnimationLoop10=1\r\n");
    TGamePar par(mRoot.Root());
    par.Load(QStringLiteral("A"));
    EXPECT_TRUE(par.Image(7).IsAnimated());
    EXPECT_EQ(par.Image(7).AnimationDelay(), 3);
    EXPECT_FALSE(par.Image(7).AnimationLoop());
    EXPECT_FALSE(par.Image(8).IsAnimated()); // one frame: keys not read
    EXPECT_EQ(par.Image(8).AnimationDelay(), 0);
    EXPECT_FALSE(par.Image(10).AnimationLoop()); // titles play once whatever the file says
    EXPECT_EQ(par.Params().Value(QStringLiteral("AnimationLoop10")), QStringLiteral("0"));
    EXPECT_EQ(par.Params().Value(QStringLiteral("AnimationLoop12")), QStringLiteral("0"));
}

TEST_F(GameParLoad, TitlesPlayOnceEvenWithoutAKeyList)
{
    TDesignRoot::WriteGif(Dir(QStringLiteral("A")) + QStringLiteral("Image11.gif"), 40, 30, 3);
    TGamePar par(mRoot.Root());
    par.Load(QStringLiteral("A"));
    EXPECT_FALSE(par.Image(11).AnimationLoop());
}

TEST_F(GameParLoad, DamagedPictureRaisesAnErrorNamingTheFile)
{
    TDesignRoot::WriteText(Dir(QStringLiteral("A")) + QStringLiteral("Image4.gif"), "GIF89a\x10\x00 broken");
    TGamePar par(mRoot.Root());
    try {
        par.Load(QStringLiteral("A"));
        FAIL() << "a damaged picture must stop the load";
    } catch (const std::exception &e) {
        EXPECT_NE(QString::fromUtf8(e.what()).indexOf(QStringLiteral("Image4.gif")), -1) << e.what();
    }
}

TEST_F(GameParLoad, HugePictureIsRefused)
{
    // A BMP header that claims 60000 x 60000 pixels of 24 bits.
    QByteArray bmp(54, '\0');
    auto put = [&bmp](int at, quint32 v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            bmp[at + i] = char((v >> (8 * i)) & 0xFF);
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put(2, 54 + 16, 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, 60000, 4);
    put(22, 60000, 4);
    put(26, 1, 2);
    put(28, 24, 2);
    bmp.append(QByteArray(16, '\0'));
    TDesignRoot::WriteText(Dir(QStringLiteral("A")) + QStringLiteral("Image1.bmp"), bmp);
    TGamePar par(mRoot.Root());
    EXPECT_THROW(par.Load(QStringLiteral("A")), EPictureError);
}

TEST_F(GameParLoad, BackgroundColorIsReadAsBgrNumber)
{
    TGamePar par(mRoot.Root());
    EXPECT_FALSE(par.BackgroundColor().has_value());
    par.Params().SetValue(QStringLiteral("BackgroundColor"), QStringLiteral("16711680"));
    EXPECT_EQ(par.BackgroundColor(), QColor(0, 0, 255));
    par.Params().Lines().append(QStringLiteral("BackgroundColor=255"));
    EXPECT_EQ(par.BackgroundColor(), QColor(0, 0, 255)); // first line wins
    par.Params().SetValue(QStringLiteral("BackgroundColor"), QString());
    EXPECT_EQ(par.BackgroundColor(), QColor(255, 0, 0)); // the empty value removed the first line
    par.Params().SetValue(QStringLiteral("BackgroundColor"), QStringLiteral("red"));
    EXPECT_FALSE(par.BackgroundColor().has_value());
}

namespace {

// A root whose Default has the pictures of the layout example.
void MakeLayoutDefault(const TDesignRoot &root, int canonLeftHeight)
{
    root.MakeDefault();
    const QString dir = root.Dir(QStringLiteral("Default"));
    TDesignRoot::WriteBmp(dir + QStringLiteral("Image6.bmp"), 80, 60);
    TDesignRoot::WriteBmp(dir + QStringLiteral("Image3.bmp"), 20, canonLeftHeight);
    TDesignRoot::WriteBmp(dir + QStringLiteral("Image4.bmp"), 60, 40);
    TDesignRoot::WriteBmp(dir + QStringLiteral("Image2.bmp"), 40, 50);
}

} // namespace

TEST(GameParLayout, PictureSizesGiveThePlayField)
{
    TDesignRoot root;
    MakeLayoutDefault(root, 30);
    TGamePar par(root.Root());
    par.Load(QString());
    par.ComputeLayout();
    EXPECT_EQ(par.BigShipWidth(), 80);
    EXPECT_EQ(par.BigShipHeight(), 60);
    EXPECT_EQ(par.ShipDistX(), 100);
    EXPECT_EQ(par.ShipDistY(), 70);
    EXPECT_EQ(par.FormationTop(), 40);
    EXPECT_EQ(par.HomeTop(), 300);
    EXPECT_EQ(par.CanonTop(), 370);
    EXPECT_EQ(par.ClientWidth(), 670);
    EXPECT_EQ(par.ClientHeight(), 440);
}

TEST(GameParLayout, TallCannonIconsPushTheFormationDown)
{
    for (const auto &[height, top] : {std::pair{40, 40}, std::pair{41, 61}}) {
        TDesignRoot root;
        MakeLayoutDefault(root, height);
        TGamePar par(root.Root());
        par.Load(QString());
        par.ComputeLayout();
        EXPECT_EQ(par.FormationTop(), top) << height;
        EXPECT_EQ(par.HomeTop(), 210 + top + 50) << height;
    }
}

TEST(GameParLayout, StoredShipCellWinsOverTheShipPicture)
{
    TDesignRoot root;
    MakeLayoutDefault(root, 30);
    TDesignRoot::WriteText(root.Dir(QStringLiteral("Big")) + QStringLiteral("!design.ini"),
                           "BigShipWidth=100\r\nBigShipHeight=90\r\n");
    TGamePar par(root.Root());
    par.Load(QStringLiteral("Big"));
    par.ComputeLayout();
    EXPECT_EQ(par.ShipDistX(), 120);
    EXPECT_EQ(par.ClientWidth(), 770);
    EXPECT_EQ(par.HomeTop(), 100 * 3 + 40 + 50);
}

class GameParPhotos : public GameParLoad
{
protected:
    void MakePhotos(int count, std::initializer_list<int> present)
    {
        TDesignRoot::WriteText(Dir(QStringLiteral("P")) + QStringLiteral("!design.ini"),
                               "PhotoCount=" + QByteArray::number(count) + "\r\n");
        for (int k : present)
            TDesignRoot::WriteBmp(Dir(QStringLiteral("P")) + QStringLiteral("Photo_%1.bmp").arg(k), 40 + k, 30);
    }
    std::multiset<int> Draw(TGamePar &par, int times)
    {
        std::multiset<int> widths;
        for (int t = 0; t < times; ++t) {
            TSprite ship;
            par.AssignImage(ship, -1);
            widths.insert(ship.Width());
        }
        return widths;
    }
};

TEST_F(GameParPhotos, WithoutPhotosEveryShipShowsTheShipPicture)
{
    MakePhotos(0, {1});
    TGamePar par(mRoot.Root());
    par.Load(QStringLiteral("P"));
    const auto widths = Draw(par, 20);
    EXPECT_EQ(widths.count(16), 20u);
}

TEST_F(GameParPhotos, OnePhotoIsAlwaysPhotoOne)
{
    MakePhotos(1, {1, 2});
    TGamePar par(mRoot.Root());
    par.Load(QStringLiteral("P"));
    EXPECT_EQ(Draw(par, 20).count(41), 20u);
}

TEST_F(GameParPhotos, MissingPhotoFallsBackToTheShipPictureWithItsAnimation)
{
    MakePhotos(3, {1, 3});
    TDesignRoot::WriteGif(Dir(QStringLiteral("P")) + QStringLiteral("Image6.gif"), 50, 30, 3);
    TDesignRoot::WriteText(Dir(QStringLiteral("P")) + QStringLiteral("!design.ini"),
                           "PhotoCount=3\r\nAnimationDelay6=2\r\n");
    TGamePar par(mRoot.Root());
    par.Load(QStringLiteral("P"));
    Random::Seed(1234);
    const auto widths = Draw(par, 300);
    EXPECT_GT(widths.count(41), 0u);
    EXPECT_GT(widths.count(43), 0u);
    EXPECT_GT(widths.count(50), 0u);
    EXPECT_EQ(widths.count(41) + widths.count(43) + widths.count(50), 300u);
    TSprite ship;
    for (int t = 0; t < 50 && ship.Width() != 50; ++t)
        par.AssignImage(ship, -1);
    EXPECT_EQ(ship.AnimationDelay(), 2);
}

TEST_F(GameParPhotos, NewLevelsAndKillsNeverReadPhotosFromDiskAgain)
{
    MakePhotos(2, {1, 2});
    TGamePar par(mRoot.Root());
    par.Load(QStringLiteral("P"));
    for (int k : {1, 2})
        QFile::remove(Dir(QStringLiteral("P")) + QStringLiteral("Photo_%1.bmp").arg(k));
    const auto widths = Draw(par, 40);
    EXPECT_EQ(widths.count(41) + widths.count(42), 40u);
}

TEST_F(GameParPhotos, PhotosAreNeverTakenFromDefault)
{
    MakePhotos(1, {});
    TDesignRoot::WriteBmp(Dir(QStringLiteral("Default")) + QStringLiteral("Photo_1.bmp"), 99, 30);
    TGamePar par(mRoot.Root());
    par.Load(QStringLiteral("P"));
    EXPECT_EQ(Draw(par, 5).count(16), 5u);
}

TEST_F(GameParPhotos, DamagedPhotoFallsBackSilently)
{
    MakePhotos(1, {});
    TDesignRoot::WriteText(Dir(QStringLiteral("P")) + QStringLiteral("Photo_1.bmp"), "BM not really");
    TGamePar par(mRoot.Root());
    par.Load(QStringLiteral("P"));
    EXPECT_EQ(Draw(par, 3).count(16), 3u);
}

TEST_F(GameParPhotos, PhotoKeepsTheSpritesAnimationSettings)
{
    MakePhotos(1, {1});
    TGamePar par(mRoot.Root());
    par.Load(QStringLiteral("P"));
    TSprite ship;
    ship.SetAnimationDelay(7);
    ship.SetAnimationLoop(false);
    par.AssignImage(ship, -1);
    EXPECT_EQ(ship.Width(), 41);
    EXPECT_EQ(ship.AnimationDelay(), 7);
    EXPECT_FALSE(ship.AnimationLoop());
}

TEST_F(GameParLoad, AssignImageCopiesPictureAndAnimationOnly)
{
    TDesignRoot::WriteGif(Dir(QStringLiteral("A")) + QStringLiteral("Image7.gif"), 40, 30, 4);
    TDesignRoot::WriteText(Dir(QStringLiteral("A")) + QStringLiteral("!design.ini"), "AnimationDelay7=2\r\n");
    TGamePar par(mRoot.Root());
    par.Load(QStringLiteral("A"));
    TSprite sprite;
    sprite.SetLeft(5);
    sprite.SetKind(6);
    par.AssignImage(sprite, 7);
    EXPECT_EQ(sprite.FrameCount(), 4);
    EXPECT_EQ(sprite.AnimationDelay(), 2);
    EXPECT_EQ(sprite.Left(), 5);
    EXPECT_EQ(sprite.Kind(), 6);
    EXPECT_THROW(par.AssignImage(sprite, 13), EDesignError);
}

TEST_F(GameParLoad, OversizedPlayFieldIsRefusedNamingItsCause)
{
    auto causeOf = [this](const QByteArray &ini, const QString &picture = {}) -> QString {
        const QString dir = Dir(QStringLiteral("Big"));
        QDir(dir).removeRecursively();
        TDesignRoot::WriteText(dir + QStringLiteral("!design.ini"), ini);
        if (!picture.isEmpty())
            TDesignRoot::WriteBmp(dir + picture, 10, 4100);
        TGamePar par(mRoot.Root());
        par.Load(QStringLiteral("Big"));
        try {
            par.ComputeLayout();
        } catch (const EDesignError &e) {
            EXPECT_EQ(par.ClientWidth(), 0) << "a refused layout changes nothing";
            return QString::fromUtf8(e.what());
        }
        return QStringLiteral("accepted %1 x %2").arg(par.ClientWidth()).arg(par.ClientHeight());
    };
    for (const char *width : {"500000000", "2147483647", "100000", "1000"})
        EXPECT_TRUE(causeOf(QByteArray("BigShipWidth=") + width).contains(QStringLiteral("BigShipWidth=%1").arg(width)));
    EXPECT_TRUE(causeOf("BigShipHeight=2000").contains(QStringLiteral("BigShipHeight=2000")));
    EXPECT_TRUE(causeOf("", QStringLiteral("Image3.bmp")).contains(QStringLiteral("Image3.bmp")));
    // 0 or less means the ship picture's width, however far below.
    EXPECT_EQ(causeOf("BigShipWidth=-2147483648"), QStringLiteral("accepted 350 x 294"));
    EXPECT_EQ(causeOf("BigShipWidth=700"), QStringLiteral("accepted 3770 x 294"));
}

TEST_F(GameParLoad, DesignNumbersOutOfRangeAreRefusedNamingTheKey)
{
    auto loadError = [this](const QByteArray &ini) {
        TDesignRoot::WriteText(Dir(QStringLiteral("N")) + QStringLiteral("!design.ini"), ini);
        return LoadErrorOf(mRoot, QStringLiteral("N"));
    };
    EXPECT_TRUE(loadError("PhotoCount=2000000000").contains(QStringLiteral("PhotoCount=2000000000")));
    EXPECT_TRUE(loadError("PhotoCount=-1").contains(QStringLiteral("PhotoCount=-1")));
    EXPECT_EQ(loadError("PhotoCount=2"), QStringLiteral("loaded"));
    // A still picture's delay is never read; an animated one's is.
    EXPECT_EQ(loadError("AnimationDelay7=99999999"), QStringLiteral("loaded"));
    TDesignRoot::WriteGif(Dir(QStringLiteral("N")) + QStringLiteral("Image7.gif"), 4, 4, 2);
    EXPECT_TRUE(loadError("AnimationDelay7=99999999").contains(QStringLiteral("AnimationDelay7=99999999")));
    // The stored field size is only shown; one no field can have counts as absent.
    EXPECT_EQ(loadError("ClientWidth=99999999"), QStringLiteral("loaded"));
    TGamePar par(mRoot.Root());
    par.Load(QStringLiteral("N"));
    EXPECT_EQ(par.ClientWidth(), 0);
}
