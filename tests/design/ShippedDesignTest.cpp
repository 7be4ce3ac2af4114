#include "design/GamePar.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

QString ShippedRoot() { return QStringLiteral(SNAPSTORM_BIN_DIR "/design/"); }

} // namespace

TEST(ShippedDesigns, DefaultIsCompleteAndFitsASmallScreen)
{
    TGamePar par(ShippedRoot());
    par.Load(QString());
    ASSERT_EQ(par.DesignName(), QStringLiteral("Default"));
    for (int i = 0; i < 13; ++i) {
        EXPECT_FALSE(par.Image(i).Picture().IsEmpty()) << i;
        EXPECT_TRUE(par.ImageFile(i).startsWith(par.DesignDir())) << i;
    }
    for (int i = 7; i <= 12; ++i)
        EXPECT_TRUE(par.Image(i).IsAnimated()) << i;
    for (int i = 9; i <= 12; ++i)
        EXPECT_FALSE(par.Image(i).AnimationLoop()) << i;
    for (int n = 1; n <= 7; ++n)
        EXPECT_TRUE(QFile::exists(par.SoundFile(n))) << n;
    par.ComputeLayout();
    EXPECT_LE(par.ClientWidth(), 1366 - 20);
    EXPECT_LE(par.ClientHeight(), 768 - 60 - 40);
    EXPECT_EQ(par.Params().Value(QStringLiteral("ClientWidth")).toInt(), par.ClientWidth());
    EXPECT_EQ(par.Params().Value(QStringLiteral("ClientHeight")).toInt(), par.ClientHeight());
    EXPECT_EQ(par.Image(0).Width(), par.ClientWidth());
}

TEST(ShippedDesigns, SoundsAreUnsigned8BitMono11025)
{
    TGamePar par(ShippedRoot());
    par.Load(QString());
    for (int n = 1; n <= 7; ++n) {
        QFile file(par.SoundFile(n));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << n;
        const QByteArray head = file.read(44);
        ASSERT_EQ(head.left(4), QByteArray("RIFF"));
        EXPECT_EQ(head.mid(8, 8), QByteArray("WAVEfmt "));
        auto u16 = [&](int at) { return quint8(head[at]) | (quint8(head[at + 1]) << 8); };
        EXPECT_EQ(u16(20), 1);     // PCM
        EXPECT_EQ(u16(22), 1);     // mono
        EXPECT_EQ(u16(24), 11025); // rate
        EXPECT_EQ(u16(34), 8);     // bits
        const double seconds = (file.size() - 44) / 11025.0;
        EXPECT_LT(seconds, n == 6 || n == 7 || n == 4 ? 2.5 : 1.5) << n;
    }
}

TEST(ShippedDesigns, NeonCarriesOnlyItsDifferencesAndBorrowsTheRest)
{
    TGamePar par(ShippedRoot());
    par.Load(QStringLiteral("Neon"));
    ASSERT_EQ(par.DesignName(), QStringLiteral("Neon"));
    EXPECT_TRUE(par.BackgroundColor().has_value());
    EXPECT_GE(par.PhotoCount(), 2);
    for (int k = 1; k <= par.PhotoCount(); ++k)
        EXPECT_TRUE(QFile::exists(par.PhotoFile(QStringLiteral("Photo_%1").arg(k)))) << k;
    EXPECT_TRUE(par.ImageFile(4).startsWith(par.DefaultDir()));  // homes borrowed
    EXPECT_TRUE(par.ImageFile(6).startsWith(par.DesignDir()));   // own ship
    EXPECT_TRUE(par.SoundFile(3).startsWith(par.DefaultDir()));
    EXPECT_TRUE(par.SoundFile(1).startsWith(par.DesignDir()));
    EXPECT_FALSE(QDir(par.DesignDir()).exists(QStringLiteral("Image0.bmp")));
    TSprite ship;
    par.AssignImage(ship, -1);
    EXPECT_LE(ship.Width(), par.BigShipWidth());
}
