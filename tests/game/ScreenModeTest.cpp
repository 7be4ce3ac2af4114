#include "WindowFixture.h"

#include "design/GamePar.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

namespace {

QSize FieldOf(const TGamePar &design)
{
    return QSize(design.ClientWidth(), design.ClientHeight());
}

} // namespace

TEST_F(WindowFixture, F11AndEscSwitchFullscreenAndTheMenuShowsIt)
{
    Open();
    mForm->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(mForm.get()));
    auto *item = mForm->findChild<QAction *>(QStringLiteral("Fullscreen1"));
    ASSERT_TRUE(item);
    EXPECT_FALSE(item->isChecked());

    QTest::keyClick(mForm.get(), Qt::Key_F11);
    EXPECT_TRUE(mForm->isFullScreen());
    EXPECT_TRUE(item->isChecked());
    QTest::keyClick(mForm.get(), Qt::Key_F11);
    EXPECT_FALSE(mForm->isFullScreen());
    EXPECT_FALSE(item->isChecked());

    // A design chosen in fullscreen is shown at 1x once fullscreen ends.
    item->trigger();
    EXPECT_TRUE(mForm->isFullScreen());
    mForm->DesignItemClick(QString());
    QTest::keyClick(mForm.get(), Qt::Key_Escape);
    EXPECT_FALSE(mForm->isFullScreen());
    EXPECT_FALSE(item->isChecked());
    EXPECT_EQ(mForm->centralWidget()->size(), FieldOf(GamePar()));
}

TEST_F(WindowFixture, ResizedWindowScalesTheFieldAndANewDesignResetsIt)
{
    Open();
    const QSize field = FieldOf(GamePar());
    EXPECT_EQ(mForm->centralWidget()->size(), field);

    mForm->resize(mForm->size() + QSize(800, 500));
    QCoreApplication::processEvents();
    EXPECT_EQ(PlayBox().size(), mForm->centralWidget()->size());
    EXPECT_EQ(PlayBox().size(), field + QSize(800, 500));
    Run("new\ntick 2");
    // The scripted run's snapshots keep drawing at the field's own size.
    EXPECT_EQ(PlayBox().BackBuffer().size(), field);

    // Never smaller than one field.
    mForm->resize(100, 100);
    QCoreApplication::processEvents();
    EXPECT_EQ(mForm->centralWidget()->size(), field);

    mForm->resize(mForm->size() + QSize(300, 300));
    mForm->DesignItemClick(QString());
    EXPECT_EQ(mForm->centralWidget()->size(), field);
}

TEST_F(WindowFixture, FullscreenFoldsTheMenuBarAndF10CallsItBackForOneCommand)
{
    Open();
    mForm->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(mForm.get()));
    QMenuBar *bar = mForm->menuBar();
    QTest::keyClick(mForm.get(), Qt::Key_F11);
    ASSERT_TRUE(mForm->isFullScreen());
    QCoreApplication::processEvents();
    EXPECT_EQ(bar->height(), 0);
    EXPECT_EQ(mForm->centralWidget()->geometry(), mForm->rect()) << "the field has all of the screen";
    // The menu's shortcuts work on with the bar folded.
    QTest::keyClick(mForm.get(), Qt::Key_D);
    EXPECT_TRUE(Round().DemoMode());

    QTest::keyClick(mForm.get(), Qt::Key_F10);
    QCoreApplication::processEvents();
    EXPECT_GT(bar->height(), 0);
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    ASSERT_TRUE(menu);
    QTest::keyClick(menu, Qt::Key_Escape);
    QTest::qWait(10);
    EXPECT_EQ(bar->height(), 0) << "the bar folds away again";

    QTest::keyClick(mForm.get(), Qt::Key_F11);
    EXPECT_FALSE(mForm->isFullScreen());
    QCoreApplication::processEvents();
    EXPECT_GT(bar->height(), 0);
}

TEST_F(WindowFixture, WholeNumberScalingIsAViewItemKeptInTheSettings)
{
    Open();
    auto *item = mForm->findChild<QAction *>(QStringLiteral("WholeScaling1"));
    ASSERT_TRUE(item);
    EXPECT_FALSE(item->isChecked());
    EXPECT_EQ(PlayBox().Scaling(), TScaling::Fill);
    item->trigger();
    EXPECT_EQ(PlayBox().Scaling(), TScaling::WholeOnly);
    EXPECT_EQ(AttractBox().Scaling(), TScaling::WholeOnly);
    ASSERT_TRUE(Session().WriteSettings());
    mForm.reset();

    Open();
    item = mForm->findChild<QAction *>(QStringLiteral("WholeScaling1"));
    EXPECT_TRUE(item->isChecked());
    EXPECT_EQ(PlayBox().Scaling(), TScaling::WholeOnly);
}
