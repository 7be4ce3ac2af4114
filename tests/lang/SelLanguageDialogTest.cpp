#include "lang/ui/SelLanguageDialog.h"

#include "support/TempDir.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Ends a modal run that the test's own key or click failed to end.
constexpr int NeverClosed = 42;

class SelLanguageDialogTest : public ::testing::Test
{
protected:
    void Add(const QString &name) { mDir.Write(name, "[Messages]\n"); }

    // Shows the dialog the way Execute does, without waiting for a person.
    void Show()
    {
        mDialog.show();
        QCoreApplication::processEvents();
    }

    QStringList Entries() const
    {
        QStringList entries;
        for (int i = 0; i < mDialog.ListBox1->count(); ++i)
            entries << mDialog.ListBox1->item(i)->text();
        return entries;
    }

    void DoubleClick(int row)
    {
        QListWidget *list = mDialog.ListBox1;
        const QPoint at = list->visualItemRect(list->item(row)).center();
        // A real double click starts with a click on the same entry.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }

    TempDir mDir;
    TSelLanguageDialog mDialog{nullptr, mDir.Path()};
};

TEST_F(SelLanguageDialogTest, WindowLooksAsDesigned)
{
    EXPECT_EQ(mDialog.objectName(), "SelLanguageDialog");
    EXPECT_EQ(mDialog.windowTitle(), "Select Language");
    EXPECT_EQ(mDialog.Button1->text(), "Ok");
    EXPECT_EQ(mDialog.Button2->text(), "Cancel");
    EXPECT_TRUE(mDialog.Button1->isDefault());
    EXPECT_TRUE(mDialog.windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST_F(SelLanguageDialogTest, ListsLanguageFilesByNameOnly)
{
    Add("english.lng");
    Add("Deutsch.LNG");
    Add(".hidden.lng");
    Add("readme.txt");
    Add("english.lng.bak");
    Add("my.old.lng");
    QDir(mDir.Path()).mkdir(QStringLiteral("folder.lng"));
    Show();
    EXPECT_EQ(Entries(), QStringList({".hidden", "Deutsch", "english", "my.old"}));
}

TEST_F(SelLanguageDialogTest, EmptyFolderLeavesOkDisabled)
{
    Show();
    EXPECT_EQ(mDialog.ListBox1->count(), 0);
    EXPECT_FALSE(mDialog.Button1->isEnabled());
    EXPECT_EQ(mDialog.SelectedLanguage(), "");
}

TEST_F(SelLanguageDialogTest, PreselectsTheStoredLanguageWhateverItsCase)
{
    Add("english.lng");
    Add("Deutsch.lng");
    mDialog.SetSelectedLanguage(QStringLiteral("DEUTSCH"));
    Show();
    ASSERT_NE(mDialog.ListBox1->currentItem(), nullptr);
    EXPECT_EQ(mDialog.ListBox1->currentItem()->text(), "Deutsch");
    EXPECT_EQ(mDialog.SelectedLanguage(), "Deutsch");
    EXPECT_TRUE(mDialog.Button1->isEnabled());
}

TEST_F(SelLanguageDialogTest, DeletedLanguageSelectsNothingUntilAClick)
{
    Add("english.lng");
    Add("deutsch.lng");
    mDialog.SetSelectedLanguage(QStringLiteral("klingon"));
    Show();
    EXPECT_TRUE(mDialog.ListBox1->selectedItems().isEmpty());
    EXPECT_EQ(mDialog.SelectedLanguage(), "");
    EXPECT_FALSE(mDialog.Button1->isEnabled());

    QListWidget *list = mDialog.ListBox1;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(1)).center());
    EXPECT_EQ(mDialog.SelectedLanguage(), "english");
    EXPECT_TRUE(mDialog.Button1->isEnabled());
}

TEST_F(SelLanguageDialogTest, DoubleClickChoosesAndCloses)
{
    Add("english.lng");
    Add("deutsch.lng");
    Show();
    DoubleClick(0);
    EXPECT_EQ(mDialog.result(), QDialog::Accepted);
    EXPECT_FALSE(mDialog.isVisible());
    EXPECT_EQ(mDialog.SelectedLanguage(), "deutsch");
}

TEST_F(SelLanguageDialogTest, ExecuteReportsOkAndTheChoice)
{
    Add("english.lng");
    mDialog.SetSelectedLanguage(QStringLiteral("english"));
    QTimer::singleShot(0, mDialog.Button1, &QPushButton::click);
    QTimer::singleShot(2000, &mDialog, [this] { mDialog.done(NeverClosed); });
    EXPECT_TRUE(mDialog.Execute());
    EXPECT_EQ(mDialog.SelectedLanguage(), "english");
}

TEST_F(SelLanguageDialogTest, CancelKeepsThePresetLanguage)
{
    Add("english.lng");
    Add("deutsch.lng");
    mDialog.SetSelectedLanguage(QStringLiteral("english"));
    QTimer::singleShot(0, &mDialog, [this] {
        mDialog.ListBox1->setCurrentRow(0);
        QTest::keyClick(&mDialog, Qt::Key_Escape);
    });
    QTimer::singleShot(2000, &mDialog, [this] { mDialog.done(NeverClosed); });
    EXPECT_FALSE(mDialog.Execute());
    EXPECT_NE(mDialog.result(), NeverClosed) << "Escape did not close the dialog";
    EXPECT_EQ(mDialog.SelectedLanguage(), "english");
}

TEST_F(SelLanguageDialogTest, ListIsReadAfreshOnEveryShow)
{
    Add("english.lng");
    Show();
    mDialog.hide();
    Add("deutsch.lng");
    Show();
    EXPECT_EQ(Entries(), QStringList({"deutsch", "english"}));
}

TEST_F(SelLanguageDialogTest, ShowsEachLanguageByItsOwnNameAndAsksInTheHighlightedOne)
{
    mDir.Write("francais.lng", "[Messages]\nLanguageName=Français\nLanguageTitle=Langue\n"
                               "LanguagePrompt=Choisissez la langue :\nCancel=Annuler\n");
    mDir.Write("deutsch.lng", "[Messages]\nLanguageName=Deutsch\n");
    Add("zz.lng");
    mDialog.SetSelectedLanguage(QStringLiteral("francais"));
    Show();
    EXPECT_EQ(Entries(), QStringList({"Deutsch", "Français", "zz"}));
    EXPECT_EQ(mDialog.SelectedLanguage(), "francais");
    EXPECT_EQ(mDialog.windowTitle(), "Langue");
    EXPECT_EQ(mDialog.Label1->text(), "Choisissez la langue :");
    EXPECT_EQ(mDialog.Button2->text(), "Annuler");
    // A file that does not say how to ask keeps the English question.
    mDialog.ListBox1->setCurrentRow(0);
    EXPECT_EQ(mDialog.SelectedLanguage(), "deutsch");
    EXPECT_EQ(mDialog.windowTitle(), "Select Language");
    EXPECT_EQ(mDialog.Button2->text(), "Cancel");
    EXPECT_FALSE(mDialog.Label1->text().isEmpty());
}

} // namespace
