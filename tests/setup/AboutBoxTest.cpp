#include "setup/AboutBox.h"

#include <QCoreApplication>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QString Text(const TAboutBox &box, const char *name)
{
    const auto *label = box.findChild<QLabel *>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<missing>");
}

} // namespace

TEST(AboutBox, ShowsTheVersionInformationItIsGiven)
{
    const TAboutBox built;
    EXPECT_EQ(Text(built, "Version"), QStringLiteral(SNAPSTORM_VERSION));
    EXPECT_EQ(Text(built, "ProductName"), QStringLiteral(SNAPSTORM_PRODUCT));
    EXPECT_EQ(Text(built, "Copyright"), QStringLiteral(SNAPSTORM_COPYRIGHT));
    EXPECT_EQ(built.windowTitle(), QStringLiteral("Info"));

    const TAboutBox other(nullptr, {QStringLiteral("P"), QStringLiteral("9.8.7"), QString()});
    EXPECT_EQ(Text(other, "ProductName"), QStringLiteral("P"));
    EXPECT_EQ(Text(other, "Version"), QStringLiteral("9.8.7"));
    EXPECT_EQ(Text(other, "Copyright"), QString());
}

TEST(AboutBox, OuchShowsOnlyWhileTheIconIsHeldAndLinksOpenTheirText)
{
    QStringList opened;
    TAboutBox box(nullptr, TVersionInfo::FromBuild(), [&](const QString &link) { opened << link; });
    box.show();
    auto *icon = box.findChild<QLabel *>(QStringLiteral("ProgramIcon"));
    auto *ouch = box.findChild<QLabel *>(QStringLiteral("Label2"));
    ASSERT_TRUE(icon && ouch);
    EXPECT_FALSE(ouch->isVisible());
    QCoreApplication::processEvents();
    const QSize before = box.size();
    QTest::mousePress(icon, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_TRUE(ouch->isVisible());
    EXPECT_EQ(box.size(), before);
    QTest::mouseRelease(icon, Qt::LeftButton);
    EXPECT_FALSE(ouch->isVisible());

    QTest::mouseClick(box.findChild<QLabel *>(QStringLiteral("Label6")), Qt::LeftButton);
    QTest::mouseClick(box.findChild<QLabel *>(QStringLiteral("Label3")), Qt::LeftButton);
    ASSERT_EQ(opened.size(), 2);
    EXPECT_TRUE(opened[0].startsWith(QStringLiteral("mailto:")));
    EXPECT_EQ(opened[1], QStringLiteral(SNAPSTORM_HOMEPAGE));
}
