#include "design/GamePar.h"
#include "design/TitleContrast.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QSet>

#include <gtest/gtest.h>

namespace {

QString ShippedRoot() { return QStringLiteral(SNAPSTORM_BIN_DIR "/design/"); }

// How many columns of the sprite's picture show anything.
int VisibleWidth(const TSprite &sprite)
{
    QImage drawn(sprite.Width(), sprite.Height(), QImage::Format_ARGB32_Premultiplied);
    drawn.fill(Qt::transparent);
    {
        QPainter painter(&drawn);
        sprite.Picture().Draw(painter, 0, 0, 0, true);
    }
    int left = drawn.width(), right = -1;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            if (qAlpha(drawn.pixel(x, y)) != 0) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return right - left + 1;
}

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
    for (const QString &name : QDir(ShippedRoot()).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        SCOPED_TRACE(name.toStdString());
        TGamePar par(ShippedRoot());
        par.Load(name);
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
}

// Every design the build draws: every picture and sound in its own folder,
// its titles readable under the score lines, distinct photos no larger
// than its ship cell, and spare cannons that do not run together.
TEST(ShippedDesigns, EveryOneIsCompleteAndKeepsItsTitlesReadable)
{
    const QStringList names = QDir(ShippedRoot()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    EXPECT_EQ(names, (QStringList{"Default", "Neon", "Reef", "Retro"}));
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        TGamePar par(ShippedRoot());
        par.Load(name);
        ASSERT_EQ(par.DesignName(), name);
        par.ComputeLayout();
        EXPECT_LE(par.ClientWidth(), 1366 - 20);
        EXPECT_LE(par.ClientHeight(), 768 - 60 - 40);
        for (int i = 0; i < TGamePar::ImageCount; ++i)
            EXPECT_TRUE(par.ImageFile(i).startsWith(par.DesignDir())) << i;
        for (int n = 1; n <= TGamePar::SoundCount; ++n)
            EXPECT_TRUE(par.SoundFile(n).startsWith(par.DesignDir())) << n;
        EXPECT_EQ(TTitleContrast::FailingPictures(par), std::vector<int>{});
        EXPECT_LE(VisibleWidth(par.Image(3)), par.LivesDistX() - 4) << "spare cannons stand apart";
        EXPECT_GE(par.PhotoCount(), 4);
        QSet<QByteArray> looks;
        for (int k = 1; k <= par.PhotoCount(); ++k) {
            QFile photo(par.PhotoFile(QStringLiteral("Photo_%1").arg(k)));
            ASSERT_TRUE(photo.open(QIODevice::ReadOnly)) << k;
            looks.insert(photo.readAll());
        }
        EXPECT_EQ(looks.size(), par.PhotoCount());
        TSprite ship;
        for (int draw = 0; draw < 20; ++draw) {
            par.AssignImage(ship, -1);
            EXPECT_LE(ship.Width(), par.BigShipWidth());
            EXPECT_LE(ship.Height(), par.BigShipHeight());
        }
    }
}

// A formation of Default's mixed fleet plays exactly as one of its ship
// picture, which the fixed-seed trace was made with.
TEST(ShippedDesigns, DefaultsPhotosAllHaveTheShipPicturesSize)
{
    TGamePar par(ShippedRoot());
    par.Load(QString());
    for (int k = 1; k <= par.PhotoCount(); ++k) {
        TSprite ship;
        par.AssignImage(ship, -1);
        EXPECT_EQ(ship.Width(), par.Image(6).Width());
        EXPECT_EQ(ship.Height(), par.Image(6).Height());
    }
}
