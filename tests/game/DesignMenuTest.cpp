#include "WindowFixture.h"

#include "design/GamePar.h"
#include "game/DesignMenu.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

namespace {

QStringList Captions(const QMenu &menu)
{
    QStringList captions;
    for (const QAction *action : menu.actions())
        captions << action->text();
    return captions;
}

// The window-wide action that carries a design shortcut.
QAction *ShortcutAction(QWidget &window, const QKeySequence &keys)
{
    for (QAction *action : window.actions()) {
        if (action->shortcut() == keys)
            return action;
    }
    return nullptr;
}

} // namespace

class DesignMenuTest : public WindowFixture
{
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        for (const char *name : {"beta", "Alpha", ".backup"})
            MakeDesign(name, {{"!design.ini", ""}});
    }
};

TEST_F(DesignMenuTest, LoadListsDefaultFirstThenTheOtherFoldersIgnoringCase)
{
    QMenu design1;
    QWidget window;
    TDesignMenu menu(&design1, &window);
    menu.SetRoots(mRoot.Path());
    menu.Load1Click();
    EXPECT_EQ(Captions(*menu.Load1()), (QStringList{"Default", "Alpha", "beta"}));
    const QList<QAction *> items = menu.Load1()->actions();
    EXPECT_EQ(items.at(0)->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F1));
    EXPECT_EQ(items.at(1)->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F2));
    EXPECT_EQ(items.at(2)->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F3));

    // Opening the submenu again rebuilds it rather than adding a second copy.
    MakeDesign("Gamma");
    menu.Load1Click();
    EXPECT_EQ(Captions(*menu.Load1()), (QStringList{"Default", "Alpha", "beta", "Gamma"}));
}

TEST_F(DesignMenuTest, TwentySeventhItemHasNoShortcut)
{
    EXPECT_EQ(TDesignMenu::ShortcutForPosition(12), QKeySequence(Qt::SHIFT | Qt::Key_F12));
    EXPECT_EQ(TDesignMenu::ShortcutForPosition(13), QKeySequence(Qt::CTRL | Qt::Key_F1));
    EXPECT_EQ(TDesignMenu::ShortcutForPosition(24), QKeySequence(Qt::CTRL | Qt::Key_F12));
    EXPECT_EQ(TDesignMenu::ShortcutForPosition(26), QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_F2));
    EXPECT_TRUE(TDesignMenu::ShortcutForPosition(27).isEmpty());

    // Alpha and beta plus 24 more: the 26th design after Default is item 27.
    for (int i = 1; i <= 24; ++i)
        MakeDesign(QString("Z%1").arg(i, 2, 10, QLatin1Char('0')));
    QMenu design1;
    QWidget window;
    TDesignMenu menu(&design1, &window);
    menu.SetRoots(mRoot.Path());
    menu.Load1Click();
    const QList<QAction *> items = menu.Load1()->actions();
    ASSERT_EQ(items.size(), 27);
    EXPECT_EQ(items.at(25)->shortcut(), QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_F2));
    EXPECT_EQ(items.at(26)->text(), "Z24");
    EXPECT_TRUE(items.at(26)->shortcut().isEmpty());
}

TEST_F(DesignMenuTest, ShortcutReachesItsDesignWithoutTheSubmenuEverOpening)
{
    Start();
    auto *menu = mForm->findChild<TDesignMenu *>();
    ASSERT_NE(menu, nullptr);
    QSignalSpy chosen(menu, &TDesignMenu::DesignChosen);
    // A folder added after start is reached as it is listed now.
    MakeDesign("Gamma", {{"!design.ini", ""}});
    QAction *key = ShortcutAction(*mForm, QKeySequence(Qt::SHIFT | Qt::Key_F4));
    ASSERT_NE(key, nullptr);
    key->trigger();
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toString(), "Gamma");
    EXPECT_EQ(GamePar().DesignName(), "Gamma");
    EXPECT_EQ(Settings().Value("Design"), "Gamma");

    // Shift+F1 is always the Default design, by an empty name.
    ShortcutAction(*mForm, QKeySequence(Qt::SHIFT | Qt::Key_F1))->trigger();
    EXPECT_TRUE(GamePar().IsDefault());
    EXPECT_TRUE(Settings().Value("Design").isEmpty());

    // A position past the last design does nothing.
    ShortcutAction(*mForm, QKeySequence(Qt::SHIFT | Qt::Key_F9))->trigger();
    EXPECT_EQ(chosen.count(), 2);
}

TEST_F(DesignMenuTest, ShortcutKeyPressOnTheShownWindowAppliesTheDesign)
{
    Open();
    mForm->activateWindow();
    if (!QTest::qWaitForWindowActive(mForm.get()))
        GTEST_SKIP() << "the platform gives the window no focus";
    QTest::keyClick(mForm.get(), Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(GamePar().DesignName(), "beta");
}

TEST_F(DesignMenuTest, DesignChangeRestartsTheAttractScreenButKeepsAGame)
{
    Start();
    ASSERT_GT(TicksUntil([&] { return Title(skTitle2).Enabled(); }, 2000), 0);
    mForm->DesignItemClick("Alpha");
    EXPECT_EQ(Cycle().GameState(), gsAttract);
    EXPECT_TRUE(Title(skTitle1).Enabled());
    EXPECT_FALSE(Title(skTitle2).Enabled());
    EXPECT_EQ(Title(skTitle1).Frame(), 0);

    Run("new\ntick 4");
    mForm->DesignItemClick(QString());
    EXPECT_EQ(Cycle().GameState(), gsPlaying);
    EXPECT_FALSE(PlayBox().isHidden());
}

TEST_F(DesignMenuTest, DesignKeysKeepWorkingAfterTheMenuWasOpenedAndClosedWithEscape)
{
    Open();
    auto *menu = mForm->findChild<TDesignMenu *>();
    ASSERT_NE(menu, nullptr);
    menu->Load1()->popup(QPoint(0, 0));
    QTest::keyClick(menu->Load1(), Qt::Key_Escape);
    EXPECT_FALSE(menu->Load1()->isVisible());
    // Two actions with one key make both dead ("ambiguous shortcut").
    const QList<QAction *> actions = mForm->findChildren<QAction *>();
    EXPECT_EQ(std::count_if(actions.begin(), actions.end(), [](const QAction *action) {
                  return action->shortcut() == QKeySequence(Qt::SHIFT | Qt::Key_F2);
              }), 1);
    mForm->activateWindow();
    if (!QTest::qWaitForWindowActive(mForm.get()))
        GTEST_SKIP() << "the platform gives the window no focus";
    QTest::keyClick(mForm.get(), Qt::Key_F2, Qt::ShiftModifier);
    EXPECT_EQ(GamePar().DesignName(), "Alpha");
}
