#pragma once

#include "game/LazyChild.h"

#include <QString>

class QWidget;
class TCuePlayer;
class TKeyState;
class TKeyValueList;
class TKeysDialog;
class TLanguage;
class TSelLanguageDialog;
class TVolumeDialog;

// What the settings dialogs read and change.
struct TSettingsDialogsContext {
    // Their parent; its shortcuts are refused as game keys.
    QWidget &Window;
    TKeyValueList &Settings;
    TLanguage &Language;
    TKeyState &Keys;
    TCuePlayer &Cues;
    QString ProgramDir;
};

// The dialogs that change one setting each: volume, game keys, language.
// Each starts from what is stored; OK stores the answer and applies it.
class TSettingsDialogs
{
public:
    explicit TSettingsDialogs(TSettingsDialogsContext context);

    void Volume();
    void Keys();
    // True when the player chose a language, which now shows.
    bool Language();

private:
    TSettingsDialogsContext mContext;
    // Owned by the window, their Qt parent.
    TLazyChild<TSelLanguageDialog> mLanguageDialog;
    TVolumeDialog *mVolumeDialog = nullptr;
    TKeysDialog *mKeysDialog = nullptr;
};
