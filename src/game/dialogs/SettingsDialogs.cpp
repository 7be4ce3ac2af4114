#include "game/dialogs/SettingsDialogs.h"

#include "session/CuePlayer.h"
#include "session/VolumeSetting.h"
#include "game/dialogs/KeysDialog.h"
#include "game/dialogs/VolumeDialog.h"
#include "lang/ui/Language.h"
#include "lang/LocaleLanguage.h"
#include "lang/ui/SelLanguageDialog.h"
#include "play/KeyState.h"

#include <QFileInfo>

#include <utility>

TSettingsDialogs::TSettingsDialogs(TSettingsDialogsContext context) : mContext(std::move(context))
{
    mLanguageDialog.Defer(
        [this] { return new TSelLanguageDialog(&mContext.Window, mContext.ProgramDir); });
    mVolumeDialog = new TVolumeDialog(&mContext.Window);
    mKeysDialog = new TKeysDialog(&mContext.Window, [this](const QString &key) {
        return mContext.Language.LookupMessage(key);
    });
}

void TSettingsDialogs::Volume()
{
    mVolumeDialog->SetVolume(VolumeSetting::Read(mContext.Settings));
    // Its controls are built on first use, after the window was translated.
    mContext.Language.TranslateWindow(mVolumeDialog->objectName());
    if (!mVolumeDialog->Execute())
        return;
    VolumeSetting::Store(mContext.Settings, mVolumeDialog->Volume());
    mContext.Cues.SetVolume(mVolumeDialog->Volume());
}

void TSettingsDialogs::Keys()
{
    mKeysDialog->SetBindings(mContext.Keys.Bindings());
    mContext.Language.TranslateWindow(mKeysDialog->objectName());
    mKeysDialog->SetReserved(TKeysDialog::ShortcutsOf(mContext.Window));
    if (!mKeysDialog->Execute())
        return;
    mContext.Keys.SetBindings(mKeysDialog->Bindings());
    mContext.Keys.Bindings().Store(mContext.Settings);
}

bool TSettingsDialogs::Language()
{
    TKeyValueList &settings = mContext.Settings;
    QString current = QFileInfo(settings.Value(QStringLiteral("Language"))).completeBaseName();
    if (current.isEmpty()) {
        // Nothing chosen yet: offer the language the desktop runs in.
        current = LanguageForLocales(OfferedLanguages(mContext.ProgramDir), SystemLocaleNames());
        // One that has no file of its own gets English, so Enter answers.
        if (current.isEmpty())
            current = QStringLiteral("english");
    }
    mLanguageDialog->SetSelectedLanguage(current);
    if (!mLanguageDialog->Execute())
        return false;
    TLanguage &language = mContext.Language;
    language.SetLanguageFile(
        TLanguage::LanguageFilePath(mContext.ProgramDir, mLanguageDialog->SelectedLanguage()));
    language.Translate();
    settings.SetValue(QStringLiteral("Language"), QFileInfo(language.LanguageFile()).fileName());
    return true;
}
