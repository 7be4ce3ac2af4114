#include "WindowFixture.h"

#include "design/GamePar.h"
#include "editor/DesignEditor.h"
#include "editor/ui/DesignParamDialog.h"

#include <QApplication>
#include <QAction>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

TEST_F(WindowFixture, F9AppliesTheDesignCurrentInTheEditorWhenItCloses)
{
    CopyFolder(mRoot.File("Default"), mRoot.File("Other"));
    Open();
    mForm->DesignItemClick("Other");
    Run("new");
    QString opened;
    QTimer::singleShot(0, [&] {
        auto *editor = qobject_cast<TDesignParamDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(editor, nullptr);
        opened = editor->DesignName();
        // The game was stopped before the editor opened.
        EXPECT_NE(Cycle().GameState(), gsPlaying);
        EXPECT_FALSE(Timer1().isActive());
        editor->New1Click();
    });
    mForm->DesignGameClick();
    EXPECT_EQ(opened, "Other");
    EXPECT_TRUE(GamePar().IsDefault());
    EXPECT_TRUE(Timer1().isActive());
    EXPECT_NE(Cycle().GameState(), gsPlaying);
}

TEST_F(WindowFixture, EditorEmailDraftOpensThroughTheMainWindowsDesktop)
{
    QTemporaryDir temp;
    qputenv("TMPDIR", temp.path().toLocal8Bit());
    FakeDesktop desktop;
    Open(&desktop);
    QTimer::singleShot(0, [&] {
        auto *editor = qobject_cast<TDesignParamDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(editor, nullptr);
        auto *item = editor->findChild<QAction *>("SaveasEMail1");
        item->trigger();
        EXPECT_TRUE(QTest::qWaitFor([&] { return item->isEnabled(); }, 10000));
    });
    mForm->DesignGameClick();
    qunsetenv("TMPDIR");
    ASSERT_EQ(desktop.Opened.size(), 1);
    EXPECT_TRUE(desktop.Opened[0].startsWith(temp.path() + "/"));
    EXPECT_TRUE(desktop.Opened[0].endsWith("/TmpMail.eml"));
}
