#include "setup/ProgramIcon.h"

#include "support/TempDir.h"

#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

TEST(ProgramIcon, EachWindowSizeShowsItsOwnFileAndLargeOnesAreLeftOut)
{
    TempDir dir;
    for (const auto &[side, colour] : {std::pair{16, Qt::red}, std::pair{48, Qt::blue}, std::pair{256, Qt::green}}) {
        const QString folder = dir.File(QStringLiteral("icons/hicolor/%1x%1/apps").arg(side));
        ASSERT_TRUE(QDir().mkpath(folder));
        QImage image(side, side, QImage::Format_ARGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(folder + QStringLiteral("/snapstorm.png")));
    }
    const QIcon icon = LoadProgramIcon(dir.Path());
    EXPECT_EQ(icon.availableSizes(), (QList<QSize>{QSize(16, 16), QSize(48, 48)}));
    EXPECT_EQ(icon.pixmap(16, 16).toImage().pixel(8, 8), qRgb(255, 0, 0));
    EXPECT_EQ(icon.pixmap(48, 48).toImage().pixel(24, 24), qRgb(0, 0, 255));
    EXPECT_TRUE(LoadProgramIcon(dir.File(QStringLiteral("none"))).isNull());
}
