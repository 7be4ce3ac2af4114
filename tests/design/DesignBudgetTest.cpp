#include "DesignFixture.h"

#include "design/DesignBudget.h"
#include "design/GamePar.h"

#include <gtest/gtest.h>

namespace {

class DesignBudget : public ::testing::Test
{
protected:
    void SetUp() override { mRoot.MakeDefault(); }
    QString Dir(const QString &name) const { return mRoot.Dir(name); }
    QString LoadError(const QString &name) { return LoadErrorOf(mRoot, name); }

    TDesignRoot mRoot;
};

} // namespace

TEST_F(DesignBudget, PicturesAndPhotosPastTheBudgetAreRefusedBeforeDecoding)
{
    // Each file on its own is within the picture reader's limits.
    TDesignRoot::WriteGifDeclaring(Dir(QStringLiteral("Gif")) + QStringLiteral("Image10.gif"), 8192, 8192, 2);
    EXPECT_TRUE(LoadError(QStringLiteral("Gif")).contains(QStringLiteral("Image10.gif")));

    TDesignRoot::WriteRleBmp(Dir(QStringLiteral("Bmp")) + QStringLiteral("Image1.bmp"), 8192, 8192);
    EXPECT_TRUE(LoadError(QStringLiteral("Bmp")).contains(QStringLiteral("Image1.bmp")));

    TDesignRoot::WriteText(Dir(QStringLiteral("Photo")) + QStringLiteral("!design.ini"), "PhotoCount=2\r\n");
    TDesignRoot::WriteBmp(Dir(QStringLiteral("Photo")) + QStringLiteral("Photo_1.bmp"), 40, 30);
    TDesignRoot::WriteRleBmp(Dir(QStringLiteral("Photo")) + QStringLiteral("Photo_2.bmp"), 8192, 8192);
    EXPECT_TRUE(LoadError(QStringLiteral("Photo")).contains(QStringLiteral("Photo_2.bmp")));

    TDesignRoot::WriteBmp(Dir(QStringLiteral("Photo")) + QStringLiteral("Photo_2.bmp"), 50, 30);
    EXPECT_EQ(LoadError(QStringLiteral("Photo")), QStringLiteral("loaded"));
}

TEST_F(DesignBudget, EachPhotoIsDecodedOnceAndSharedByTheShips)
{
    TDesignRoot::WriteText(Dir(QStringLiteral("P")) + QStringLiteral("!design.ini"), "PhotoCount=1\r\n");
    TDesignRoot::WriteBmp(Dir(QStringLiteral("P")) + QStringLiteral("Photo_1.bmp"), 40, 30);
    TGamePar par(mRoot.Root());
    par.Load(QStringLiteral("P"));
    TSprite first, second;
    par.AssignImage(first, -1);
    par.AssignImage(second, -1);
    ASSERT_EQ(first.Width(), 40);
    EXPECT_EQ(first.Picture().Bitmap().constBits(), second.Picture().Bitmap().constBits());
}

TEST(DesignBudgetSounds, SoundsPastTheBudgetAreRefusedNamingTheFile)
{
    TDesignBudget budget(QStringLiteral("Loud"));
    const qint64 part = TDesignBudget::MaxSoundBytes / 7 + 1;
    for (int cue = 1; cue <= 6; ++cue)
        budget.BookSound(cue, part, QStringLiteral("Sound%1.wav").arg(cue));
    // A cue loaded again replaces its own share.
    budget.BookSound(6, part, QStringLiteral("Sound6.wav"));
    try {
        budget.BookSound(7, part, QStringLiteral("Sound7.wav"));
        FAIL() << "the seventh sound passes the budget";
    } catch (const EDesignError &e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QStringLiteral("Sound7.wav")));
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QStringLiteral("Loud")));
    }
    EXPECT_EQ(budget.SoundBytes(), 6 * part);
}
