#include "WindowFixture.h"

#include "game/dialogs/VolumeDialog.h"
#include "session/VolumeSetting.h"
#include "sound/SoundMixer.h"

#include <QAction>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

namespace {

TSoundMixer &MixerOf(TMainForm &form)
{
    return *form.findChild<TSoundMixer *>(QStringLiteral("Mixer"));
}

// Triggers the menu item and answers its dialog: the slider moved to
// `percent`, then OK or Cancel.
void ChooseVolume(TMainForm &form, int percent, bool ok)
{
    auto *dialog = form.findChild<TVolumeDialog *>(QStringLiteral("VolumeDialog"));
    QTimer::singleShot(0, dialog, [=] {
        dialog->Slider()->setValue(percent);
        (ok ? dialog->Button1() : dialog->Button2())->click();
    });
    form.findChild<QAction *>(QStringLiteral("Volume1"))->trigger();
}

} // namespace

TEST(VolumeSettingTest, StoredValueIsClampedAndAnythingElseIsFullVolume)
{
    TKeyValueList settings;
    EXPECT_EQ(VolumeSetting::Read(settings), 100);
    const std::pair<const char *, int> cases[] = {
        {"0", 0}, {" 35 ", 35}, {"250", 100}, {"-4", 0}, {"loud", 100}};
    for (const auto &[text, expected] : cases) {
        settings.SetValue(QStringLiteral("Volume"), QString::fromLatin1(text));
        EXPECT_EQ(VolumeSetting::Read(settings), expected) << text;
    }
}

TEST_F(WindowFixture, StoredVolumeIsAppliedAtStartAndTheDialogChangesAndStoresIt)
{
    mSettingsDir.Write("snapstorm.ini", "Volume=40\n");
    Open();
    EXPECT_EQ(MixerOf(*mForm).Volume(), 40);

    ChooseVolume(*mForm, 5, false);
    EXPECT_EQ(MixerOf(*mForm).Volume(), 40);
    ChooseVolume(*mForm, 75, true);
    EXPECT_EQ(MixerOf(*mForm).Volume(), 75);
    // Sound on or off is a separate switch.
    EXPECT_TRUE(Sound1().isChecked());
    mForm->close();
    EXPECT_TRUE(SettingsFile().contains("Volume=75\n"));
    EXPECT_FALSE(SettingsFile().contains("Volume=40"));
}
