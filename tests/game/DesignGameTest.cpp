#include "WindowFixture.h"

#include "design/GamePar.h"
#include "editor/DesignEditor.h"
#include "editor/DesignParamDialog.h"

#include <QApplication>
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
        EXPECT_NE(Round().GameState(), gsPlaying);
        EXPECT_FALSE(mForm->Timer1().isActive());
        editor->New1Click();
    });
    mForm->DesignGameClick();
    EXPECT_EQ(opened, "Other");
    EXPECT_TRUE(mForm->GamePar().IsDefault());
    EXPECT_TRUE(mForm->Timer1().isActive());
    EXPECT_NE(Round().GameState(), gsPlaying);
}
