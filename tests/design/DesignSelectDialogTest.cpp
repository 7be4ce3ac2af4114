#include "DesignFixture.h"

#include "design/ui/DesignSelectDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

class DesignSelect : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char *name : {"beta", "Alpha", "Default", ".backup"})
            QDir().mkpath(mRoot.Dir(QLatin1String(name)));
        mDialog = std::make_unique<TDesignSelectDialog>(nullptr, mRoot.Root());
    }

    // Runs Execute while `whileOpen` works the open dialog; the dialog is
    // cancelled afterwards unless `whileOpen` closed it.
    bool Run(bool allowNew, std::function<void()> whileOpen)
    {
        QTimer::singleShot(0, mDialog.get(), [this, whileOpen] {
            whileOpen();
            if (mDialog->isVisible())
                mDialog->reject();
        });
        return mDialog->Execute(allowNew);
    }

    QStringList Entries() const
    {
        QStringList names;
        for (int i = 0; i < mDialog->ListBox1()->count(); ++i)
            names << mDialog->ListBox1()->item(i)->text();
        return names;
    }

    QString Selected() const
    {
        const auto items = mDialog->ListBox1()->selectedItems();
        return items.isEmpty() ? QString() : items.first()->text();
    }

    void ClickEntry(const QString &name, bool twice = false)
    {
        QListWidget *list = mDialog->ListBox1();
        const auto found = list->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        const QPoint at = list->visualItemRect(found.first()).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        // A double click is a click followed by the double-click event.
        if (twice)
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }

    TDesignRoot mRoot;
    std::unique_ptr<TDesignSelectDialog> mDialog;
};

} // namespace

TEST_F(DesignSelect, WindowHasItsCaptionSizeAndNames)
{
    EXPECT_EQ(mDialog->objectName(), QStringLiteral("DesignSelectDialog"));
    EXPECT_EQ(mDialog->windowTitle(), QStringLiteral("Snapstorm Design"));
    EXPECT_EQ(mDialog->size(), QSize(313, 247));
    EXPECT_TRUE(mDialog->windowFlags() & Qt::WindowStaysOnTopHint);
    for (const char *name : {"Panel2", "Panel3", "Panel4", "Panel5", "ListBox1", "Edit1", "Button1", "Button2"})
        EXPECT_NE(mDialog->findChild<QWidget *>(QLatin1String(name)), nullptr) << name;
    EXPECT_EQ(mDialog->Button1()->text(), QStringLiteral("Ok"));
    EXPECT_EQ(mDialog->Button2()->text(), QStringLiteral("Cancel"));
    EXPECT_TRUE(mDialog->Button1()->isDefault());
}

TEST_F(DesignSelect, ListsFoldersSortedWithoutCaseAndNoDotFolders)
{
    Run(false, [this] { EXPECT_EQ(Entries(), (QStringList{"Alpha", "beta", "Default"})); });
}

TEST_F(DesignSelect, SaveAsTypedCapitalsSelectTheEntryButKeepTheTypedName)
{
    mDialog->SetDesignName(QStringLiteral("beta"));
    const bool ok = Run(true, [this] {
        EXPECT_TRUE(mDialog->Panel5()->isVisible());
        EXPECT_EQ(Selected(), QStringLiteral("beta"));
        mDialog->Edit1()->selectAll();
        QTest::keyClicks(mDialog->Edit1(), QStringLiteral("ALPHA"));
        EXPECT_EQ(Selected(), QStringLiteral("Alpha"));
        EXPECT_TRUE(mDialog->Button1()->isEnabled());
        EXPECT_EQ(mDialog->Edit1()->text(), QStringLiteral("ALPHA"));
        QTest::mouseClick(mDialog->Button1(), Qt::LeftButton);
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(mDialog->DesignName(), QStringLiteral("ALPHA"));
}

TEST_F(DesignSelect, SaveAsNewNameClearsSelectionAndKeepsOkEnabled)
{
    mDialog->SetDesignName(QStringLiteral("Alpha"));
    const bool ok = Run(true, [this] {
        mDialog->Edit1()->selectAll();
        QTest::keyClicks(mDialog->Edit1(), QStringLiteral("Zeta"));
        EXPECT_TRUE(Selected().isEmpty());
        EXPECT_TRUE(mDialog->Button1()->isEnabled());
        QTest::keyClick(mDialog->Edit1(), Qt::Key_Return);
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(mDialog->DesignName(), QStringLiteral("Zeta"));
}

TEST_F(DesignSelect, OpenWithUnknownNameNeedsAChoiceBeforeOk)
{
    mDialog->SetDesignName(QStringLiteral("Vanished"));
    const bool ok = Run(false, [this] {
        EXPECT_FALSE(mDialog->Panel5()->isVisible());
        EXPECT_TRUE(Selected().isEmpty());
        EXPECT_FALSE(mDialog->Button1()->isEnabled());
        ClickEntry(QStringLiteral("beta"));
        EXPECT_EQ(Selected(), QStringLiteral("beta"));
        EXPECT_TRUE(mDialog->Button1()->isEnabled());
        EXPECT_EQ(mDialog->DesignName(), QStringLiteral("beta"));
    });
    EXPECT_FALSE(ok); // cancelled by the helper
}

TEST_F(DesignSelect, DoubleClickConfirmsTheEntry)
{
    mDialog->SetDesignName(QStringLiteral("Vanished"));
    const bool ok = Run(false, [this] { ClickEntry(QStringLiteral("Default"), true); });
    EXPECT_TRUE(ok);
    EXPECT_EQ(mDialog->DesignName(), QStringLiteral("Default"));
}

TEST_F(DesignSelect, EscapeCancels)
{
    mDialog->SetDesignName(QStringLiteral("Alpha"));
    const bool ok = Run(false, [this] { QTest::keyClick(mDialog->ListBox1(), Qt::Key_Escape); });
    EXPECT_FALSE(ok);
}

TEST_F(DesignSelect, ListShowsFoldersMadeSinceTheLastShowing)
{
    Run(false, [] {});
    QDir().mkpath(mRoot.Dir(QStringLiteral("gamma")));
    Run(false, [this] { EXPECT_EQ(Entries(), (QStringList{"Alpha", "beta", "Default", "gamma"})); });
}

TEST_F(DesignSelect, EmptyRootGivesAnEmptyList)
{
    TDesignRoot empty;
    TDesignSelectDialog dialog(nullptr, empty.Root());
    QTimer::singleShot(0, &dialog, [&dialog] {
        EXPECT_EQ(dialog.ListBox1()->count(), 0);
        EXPECT_FALSE(dialog.Button1()->isEnabled());
        dialog.reject();
    });
    EXPECT_FALSE(dialog.Execute(false));
}

// Save as on Default used to offer "Default" and then refuse it.
TEST_F(DesignSelect, SaveAsOnDefaultSelectsTheNameAndSaysANewOneIsNeeded)
{
    mDialog->SetDesignName(QStringLiteral("Default"));
    Run(true, [this] {
        EXPECT_EQ(mDialog->Edit1()->selectedText(), QStringLiteral("Default"));
        EXPECT_TRUE(mDialog->Label1()->isVisible());
        QTest::keyClicks(mDialog->Edit1(), QStringLiteral("Mine"));
        EXPECT_EQ(mDialog->Edit1()->text(), QStringLiteral("Mine"));
        EXPECT_FALSE(mDialog->Label1()->isVisible());
    });
    Run(false, [this] { EXPECT_FALSE(mDialog->Label1()->isVisible()); });
}
