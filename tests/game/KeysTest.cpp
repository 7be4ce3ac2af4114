#include "WindowFixture.h"

#include "play/KeyBindings.h"
#include "game/dialogs/KeyCaptureEdit.h"
#include "game/dialogs/KeysDialog.h"
#include "game/dialogs/VolumeDialog.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

TEST(KeyBindingsTest, KeysAreStoredAsNamesAndReadBackWhileBadEntriesKeepTheDefaults)
{
    TKeyValueList settings;
    EXPECT_EQ(TKeyBindings::Read(settings), TKeyBindings());
    TKeyBindings own;
    own.SetKey(TGameKey::Left, Qt::Key_A);
    own.SetKey(TGameKey::Space, Qt::Key_Control);
    own.Store(settings);
    EXPECT_EQ(settings.Value(QStringLiteral("KeyLeft")), QLatin1String("A"));
    EXPECT_EQ(settings.Value(QStringLiteral("KeyRight")), QLatin1String("Right"));
    EXPECT_EQ(settings.Value(QStringLiteral("KeyFire")), QLatin1String("Control"));
    EXPECT_EQ(TKeyBindings::Read(settings), own);

    settings.SetValue(QStringLiteral("KeyFire"), QStringLiteral("Ctrl+X"));
    EXPECT_EQ(TKeyBindings::Read(settings).Key(TGameKey::Space), Qt::Key_Space);
    // A hand-edited file putting one key on two actions.
    settings.SetValue(QStringLiteral("KeyRight"), QStringLiteral("A"));
    EXPECT_EQ(TKeyBindings::Read(settings), TKeyBindings());
}

TEST(KeyBindingsTest, ConflictNamesTheKeyAndWhatAlreadyUsesIt)
{
    const std::vector<TReservedKey> reserved = {{QKeySequence(Qt::Key_F2), QStringLiteral("New Game")},
                                                {QKeySequence(Qt::SHIFT | Qt::Key_F5), QStringLiteral("Mars")},
                                                {QKeySequence(Qt::Key_F4), QString()}};
    TKeyBindings keys;
    EXPECT_EQ(keys.Conflict(reserved), QString());

    keys.SetKey(TGameKey::Space, Qt::Key_F2);
    EXPECT_EQ(keys.Conflict(reserved), "F2 is already used by \"New Game\" (F2), and menu keys stay as they are. "
                                       "Please choose another key.");
    // Held with Shift it would load a design in the middle of a game.
    keys.SetKey(TGameKey::Space, Qt::Key_F5);
    EXPECT_TRUE(keys.Conflict(reserved).contains(QLatin1String("\"Mars\"")));
    keys.SetKey(TGameKey::Space, Qt::Key_F4);
    EXPECT_EQ(keys.Conflict(reserved), "F4 is already one of the window's shortcuts, which stay as they are. "
                                       "Please choose another key.");

    keys.SetKey(TGameKey::Space, Qt::Key_Left);
    EXPECT_EQ(keys.Conflict({}),
              "Left is chosen for both \"Move left\" and \"Fire\". To free it, click the field of \"Move left\" "
              "and press another key.");
}

namespace {

// Answers the Keys dialog: the fire field gets `fireKey` pressed in it,
// then OK. Returns the refusal shown, if the dialog stayed open.
QString ChooseFireKey(TMainForm &form, Qt::Key fireKey)
{
    auto *dialog = form.findChild<TKeysDialog *>(QStringLiteral("KeysDialog"));
    QString refusal;
    QTimer::singleShot(0, dialog, [&] {
        QTest::keyClick(dialog->Edit(TGameKey::Space), fireKey);
        dialog->Button1()->click();
        if (dialog->isVisible()) {
            refusal = dialog->Message()->text();
            dialog->Button2()->click();
        }
    });
    form.findChild<QAction *>(QStringLiteral("Keys1"))->trigger();
    return refusal;
}

} // namespace

TEST_F(WindowFixture, KeysDialogRefusesMenuShortcutsAndTheChosenKeyFiresFromThenOn)
{
    Open();
    EXPECT_EQ(ChooseFireKey(*mForm, Qt::Key_F3),
              "F3 is already used by \"Stop Game\" (F3), and menu keys stay as they are. Please choose another key.");
    EXPECT_TRUE(ChooseFireKey(*mForm, Qt::Key_P).contains(QLatin1String("Pause Game")));
    EXPECT_TRUE(ChooseFireKey(*mForm, Qt::Key_F4).contains(QLatin1String("F4")));
    EXPECT_TRUE(ChooseFireKey(*mForm, Qt::Key_Right).contains(QLatin1String("Move right")));
    EXPECT_EQ(Keys().Bindings(), TKeyBindings());

    EXPECT_EQ(ChooseFireKey(*mForm, Qt::Key_Control), QString());
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
    EXPECT_TRUE(Keys().HandleKeyEvent(press));
    EXPECT_TRUE(Keys().IsHeld(TGameKey::Space));
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
    EXPECT_FALSE(Keys().HandleKeyEvent(space));

    mForm->close();
    EXPECT_TRUE(SettingsFile().contains("KeyFire=Control\n"));
    Open();
    EXPECT_EQ(Keys().Bindings().Key(TGameKey::Space), Qt::Key_Control);
}

// Return in a field used to become the fire key instead of pressing OK.
TEST_F(WindowFixture, ReturnInTheKeysDialogPressesOkAndIsNeverAGameKey)
{
    Open();
    auto *dialog = mForm->findChild<TKeysDialog *>(QStringLiteral("KeysDialog"));
    QTimer::singleShot(0, dialog, [&] {
        QTest::keyClick(dialog->Edit(TGameKey::Space), Qt::Key_Return);
        if (dialog->isVisible())
            dialog->Button2()->click();
    });
    mForm->findChild<QAction *>(QStringLiteral("Keys1"))->trigger();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->Edit(TGameKey::Space)->Key(), Qt::Key_Space);
}

TEST_F(WindowFixture, DialogsBuiltOnFirstUseShowTheChosenLanguage)
{
    TempDir program;
    program.Write("deutsch.lng", "[Translations]\nKeysDialog.Label3.Caption=Feuer\n"
                                 "VolumeDialog.Button2.Caption=Abbrechen\n[Messages]\n");
    mSettingsDir.Write("snapstorm.ini", "Language=deutsch.lng\n");
    mForm = std::make_unique<TMainForm>(
        TMainFormOptions{mSettingsPath, true, nullptr, mRoot.Path(), false, program.Path()});
    mForm->FormShow();
    QString fire;
    QString cancel;
    auto *keys = mForm->findChild<TKeysDialog *>(QStringLiteral("KeysDialog"));
    QTimer::singleShot(0, keys, [&] {
        fire = keys->Edit(TGameKey::Space)->accessibleName();
        keys->Button2()->click();
    });
    mForm->findChild<QAction *>(QStringLiteral("Keys1"))->trigger();
    auto *volume = mForm->findChild<TVolumeDialog *>(QStringLiteral("VolumeDialog"));
    QTimer::singleShot(0, volume, [&] {
        cancel = volume->Button2()->text();
        volume->Button2()->click();
    });
    mForm->findChild<QAction *>(QStringLiteral("Volume1"))->trigger();
    EXPECT_EQ(fire, "Feuer");
    EXPECT_EQ(cancel, "Abbrechen");
}
