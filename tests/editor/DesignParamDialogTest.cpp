#include "EditorFixture.h"

#include "base/ErrorReport.h"
#include "editor/ui/DesignParamDialog.h"
#include "editor/ui/ImagePage.h"
#include "editor/ui/InfoPage.h"
#include "editor/ui/PicturePreview.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

// The real editor window, shown offscreen, over a scratch design root.
class DesignParamDialogTest : public EditorTest
{
protected:
    DesignParamDialogTest()
    {
        TDesignRoot::WriteGif(Root.Dir("Anim") + "Image5.gif", 8, 6, 3);
        TDesignRoot::WriteText(Root.Dir("Anim") + "!design.ini", "Version=Banana\r\nAuthor=Ann\r\n");
    }

    void Show(const QString &design)
    {
        Dialog = std::make_unique<TDesignParamDialog>(Prompts, Settings, nullptr, Root.Root());
        Dialog->SetLanguageFile(Scratch.Write("test.lng", LanguageFile));
        Dialog->SetPlaySound([this](const QString &file) { Played << file; });
        Dialog->SetDesignName(design);
        Dialog->show();
    }

    TImagePage &Images() { return *Dialog->ImagesPage(); }

    QByteArray LanguageFile = "[Translations]\n";
    QStringList Played;
    std::unique_ptr<TDesignParamDialog> Dialog;
};

TEST_F(DesignParamDialogTest, FillingThePagesChangesNothingAndControlsFollowTheModel)
{
    Show("Anim");
    EXPECT_EQ(Dialog->InfoPage()->Edit4()->text(), "Ann");
    Images().ListBox3()->setCurrentRow(5);
    EXPECT_TRUE(Images().CheckBox1()->isChecked());
    EXPECT_EQ(Images().ComboBox1()->currentText(), "8");
    // Writing the size, delay and author fields while filling is no edit.
    EXPECT_FALSE(Dialog->Editor().Modified());
    EXPECT_EQ(Dialog->Editor().EditedDesign().Image(5).FrameCount(), 3);

    Images().ComboBox1()->setCurrentText("30");
    EXPECT_TRUE(Dialog->Editor().Modified());
    EXPECT_FALSE(Images().CheckBox1()->isChecked());
    EXPECT_EQ(Images().Label2()->text(), "30 x 22");

    // Another page and another picture, then back: the resized picture stays.
    Dialog->PageControl1()->setCurrentIndex(2);
    Images().ListBox3()->setCurrentRow(1);
    Dialog->PageControl1()->setCurrentIndex(1);
    Images().ListBox3()->setCurrentRow(5);
    EXPECT_EQ(Images().ComboBox1()->currentText(), "30");
    EXPECT_EQ(Images().Image4()->Picture().Width(), 30);
}

TEST_F(DesignParamDialogTest, InGamePreviewPlaysOnlyWhileShownAndRepeatsOnlyWhileLooping)
{
    Show("Anim");
    Images().ListBox3()->setCurrentRow(5);
    Images().Edit2()->setText("0");
    TPicturePreview &preview = *Images().Image3();
    EXPECT_TRUE(preview.Running());
    Images().CheckBox2()->setChecked(false);
    EXPECT_FALSE(preview.Running());
    EXPECT_EQ(preview.Frame(), 0);
    Images().CheckBox2()->setChecked(true);
    Images().CheckBox3()->setChecked(false);
    EXPECT_FALSE(Dialog->Editor().EditedDesign().Image(5).AnimationLoop());
    for (int tick = 0; tick < 6 && preview.Running(); ++tick)
        QTest::qWait(TPicturePreview::TickMs + 20);
    EXPECT_FALSE(preview.Running());
    EXPECT_EQ(preview.Frame(), 2);
}

TEST_F(DesignParamDialogTest, ColourFieldFillsTheWholeOriginalPreview)
{
    Show("Anim");
    Images().ListBox3()->setCurrentRow(1);
    Dialog->findChild<QToolButton *>("Panel10")->click();
    // The corner far from the small picture shows the backdrop too.
    const QImage shot = Dialog->findChild<QScrollArea *>("ScrollBox1")->viewport()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(shot.width() - 1, shot.height() - 1), QColor(Qt::black));
}

TEST_F(DesignParamDialogTest, PlayFollowsTheSoundSwitch)
{
    Show("Anim");
    Dialog->SoundPage()->ListBox2()->setCurrentRow(2);
    Dialog->SoundPage()->Button1()->click();
    EXPECT_EQ(Played, QStringList{Dialog->Editor().Sounds().File(3)});

    Settings.SetValue("NoDirectSound", "1");
    Show("Anim");
    EXPECT_FALSE(Dialog->SoundPage()->Button1()->isEnabled());
}

TEST_F(DesignParamDialogTest, ClosingAsksToSaveAndCancelKeepsTheWindowOpen)
{
    Show("Anim");
    Dialog->InfoPage()->Edit4()->setText("Bob");
    ASSERT_TRUE(Dialog->Editor().Modified());
    Prompts.Answers = {TFakePrompts::TAnswer::Cancel, TFakePrompts::TAnswer::No};
    Dialog->Close1Click();
    EXPECT_TRUE(Dialog->isVisible());
    EXPECT_EQ(Prompts.Questions, QStringList{"Save changes"});
    Dialog->Close1Click();
    EXPECT_FALSE(Dialog->isVisible());
    QFile ini(Root.Dir("Anim") + "!design.ini");
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_EQ(ini.readAll(), "Version=Banana\r\nAuthor=Ann\r\n");
}

TEST_F(DesignParamDialogTest, CaptionsListsAndHintsComeFromTheLanguageFile)
{
    LanguageFile += "DesignParamDialog.Caption=Editor\n"
                    "DesignParamDialog.New1.Caption=&Fresh\n"
                    "DesignParamDialog.TabSheet3.Caption=Snaps\n"
                    "DesignParamDialog.Listbox3.Items=A;B;C;D;E;F;G;H;I\n";
    Show("Anim");
    EXPECT_EQ(Dialog->windowTitle(), "Editor [Anim]");
    EXPECT_EQ(Dialog->PageControl1()->tabText(0), "Snaps");
    EXPECT_EQ(Images().ListBox3()->item(8)->text(), "I");
    EXPECT_EQ(Dialog->findChild<QToolButton *>("SpeedButton1")->toolTip(), "Fresh");
    EXPECT_TRUE(Dialog->findChild<QToolButton *>("SpeedButton4")->isEnabled());
}

TEST_F(DesignParamDialogTest, ZipButtonsSaveAndImportUnderANewNameAndRefillTheWindow)
{
    Show("Anim");
    Prompts.Archive = Outside("Lake.zip");
    Dialog->findChild<QToolButton *>("SpeedButton4")->click();
    ASSERT_TRUE(QFileInfo::exists(Outside("Lake.zip")));

    // An unsaved edit is dropped: the pages show the imported design.
    Dialog->InfoPage()->Edit4()->setText("Bob");
    Dialog->findChild<QToolButton *>("SpeedButton8")->click();
    EXPECT_EQ(Dialog->DesignName(), "Lake");
    EXPECT_EQ(Dialog->windowTitle(), "DesignParamDialog [Lake]");
    EXPECT_EQ(Dialog->InfoPage()->Edit4()->text(), "Ann");
    EXPECT_FALSE(Dialog->Editor().Modified());
    EXPECT_TRUE(Root.Exists("Lake", "Image5.gif"));
}

TEST_F(DesignParamDialogTest, EmailCommandIsDisabledWhileItsDraftIsWrittenThenOpensIt)
{
    qputenv("TMPDIR", Scratch.Path().toLocal8Bit());
    Show("Anim");
    QStringList opened;
    Dialog->SetOpenOrTell([&](QWidget *, const QString &path, const QString &, const QString &) { opened << path; });
    auto *item = Dialog->findChild<QAction *>("SaveasEMail1");
    auto *button = Dialog->findChild<QToolButton *>("SpeedButton7");
    button->click();
    EXPECT_FALSE(item->isEnabled());
    EXPECT_FALSE(button->isEnabled());
    EXPECT_FALSE(Dialog->findChild<QAction *>("Save1")->isEnabled());

    ASSERT_TRUE(QTest::qWaitFor([&] { return item->isEnabled(); }, 10000));
    EXPECT_TRUE(button->isEnabled());
    EXPECT_TRUE(Dialog->findChild<QAction *>("Save1")->isEnabled());
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened[0].startsWith(Scratch.Path()));
    QFile draft(opened[0]);
    ASSERT_TRUE(draft.open(QIODevice::ReadOnly));
    EXPECT_TRUE(draft.readAll().contains("filename=\"Anim.zip\"\r\n"));
    qunsetenv("TMPDIR");
}

// Enter after typing a size used to press "Load..." and open a file dialog.
TEST_F(DesignParamDialogTest, EnterInAFieldConfirmsThatFieldAndPressesNoButton)
{
    Show("Anim");
    QList<QSignalSpy *> spies;
    for (QPushButton *button : Dialog->findChildren<QPushButton *>())
        spies << new QSignalSpy(button, &QPushButton::clicked);
    auto *size = Dialog->findChild<QComboBox *>("ComboBox1");
    ASSERT_NE(size, nullptr);
    auto *pages = Dialog->findChild<QTabWidget *>();
    pages->setCurrentWidget(Dialog->ImagesPage());
    Dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Dialog.get()));
    size->setFocus();
    size->lineEdit()->setText("50");
    QTest::keyClick(size->lineEdit(), Qt::Key_Return);
    for (QSignalSpy *spy : spies) {
        EXPECT_EQ(spy->count(), 0);
        delete spy;
    }
    EXPECT_TRUE(Dialog->isVisible());
}

TEST_F(DesignParamDialogTest, FileCommandsHaveTheDesktopsStandardKeys)
{
    Show("Anim");
    const std::pair<const char *, QKeySequence> keys[] = {{"New1", QKeySequence(Qt::CTRL | Qt::Key_N)},
                                                          {"Open1", QKeySequence(Qt::CTRL | Qt::Key_O)},
                                                          {"Save1", QKeySequence(Qt::CTRL | Qt::Key_S)},
                                                          {"Saveas1", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}};
    for (const auto &[name, key] : keys) {
        auto *action = Dialog->findChild<QAction *>(name);
        ASSERT_NE(action, nullptr) << name;
        EXPECT_EQ(action->shortcut(), key) << name;
    }
}

// With no mail program the draft used to be written without a word.
TEST_F(DesignParamDialogTest, ADraftNoProgramOpensIsNamedToThePlayerWithItsFolder)
{
    qputenv("TMPDIR", Scratch.Path().toLocal8Bit());
    Show("Anim");
    QString draft, message, path;
    Dialog->SetOpenOrTell([&](QWidget *, const QString &target, const QString &text, const QString &where) {
        draft = target;
        message = text;
        path = where;
    });
    auto *item = Dialog->findChild<QAction *>("SaveasEMail1");
    item->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return item->isEnabled(); }, 10000));
    EXPECT_EQ(message, "DraftNotOpened");
    // The folder that holds both the draft and the archive it carries.
    EXPECT_EQ(path, QFileInfo(draft).absolutePath());
    EXPECT_TRUE(QFileInfo(draft).isFile());
    EXPECT_TRUE(QFileInfo(path + "/Anim.zip").isFile());
}

TEST_F(DesignParamDialogTest, ThePhotoListShowsFileNamesWithTheirPathAsToolTip)
{
    TDesignRoot::WriteBmp(Root.Dir("Anim") + "Photo_1.bmp", 20, 10);
    TDesignRoot::WriteText(Root.Dir("Anim") + "!design.ini", "Version=Banana\r\nPhotoCount=1\r\n");
    Show("Anim");
    auto *list = Dialog->findChild<QListWidget *>("ListBox1");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), "Photo_1.bmp");
    EXPECT_EQ(list->item(0)->toolTip(), QDir::toNativeSeparators(Root.Dir("Anim") + "Photo_1.bmp"));
}

// A screen reader's Toggle used to flip the box and leave the picture animated.
TEST_F(DesignParamDialogTest, TheAnimatedBoxDoesTheSameWhenAScreenReaderTogglesIt)
{
    Show("Anim");
    Images().ListBox3()->setCurrentRow(5);
    ASSERT_TRUE(Images().CheckBox1()->isChecked());
    QAccessibleInterface *box = QAccessible::queryAccessibleInterface(Images().CheckBox1());
    ASSERT_TRUE(box && box->actionInterface());
    ASSERT_TRUE(box->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    box->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_FALSE(Dialog->Editor().EditedDesign().Image(5).IsAnimated());
    EXPECT_FALSE(Images().Image3()->Running());
    EXPECT_FALSE(Images().CheckBox1()->isChecked());
    EXPECT_TRUE(Dialog->Editor().Modified());
}

TEST_F(DesignParamDialogTest, UndoNamesTheChangeAndCtrlZBringsBackThePictureAsSaved)
{
    LanguageFile += "[Messages]\nUndoSize=Size of %1\n";
    Show("Anim");
    Dialog->PageControl1()->setCurrentWidget(Dialog->ImagesPage());
    Images().ListBox3()->setCurrentRow(5);
    Images().ComboBox1()->setCurrentText("3");
    Images().ComboBox1()->setCurrentText("30");
    auto *undo = Dialog->findChild<QAction *>("Undo1");
    EXPECT_EQ(undo->text(), "&Undo Size of Rocket");
    const QList<QAction *> edit = undo->associatedObjects().isEmpty()
                                      ? QList<QAction *>()
                                      : qobject_cast<QMenu *>(undo->associatedObjects().first())->actions();
    ASSERT_EQ(edit.size(), 2);
    EXPECT_EQ(edit.first(), undo) << "Undo comes first in the Edit menu, as everywhere";
    Images().ListBox3()->setCurrentRow(1);

    Dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Dialog.get()));
    Images().ListBox3()->setFocus();
    QTest::keyClick(Images().ListBox3(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Images().ListBox3()->currentRow(), 5);
    EXPECT_EQ(Images().Label2()->text(), "8 x 6");
    EXPECT_FALSE(Dialog->Editor().Modified());
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(Dialog->findChild<QAction *>("Redo1")->text(), "&Redo Size of Rocket");
}
