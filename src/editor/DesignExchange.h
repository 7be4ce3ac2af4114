#pragma once

#include "lang/MessageLookup.h"

#include <QString>

#include <functional>

class TDesignEditor;
class TEditorPrompts;
class TKeyValueList;

// The editor's Exchange commands: the design on disk saved as an archive,
// and a design imported from one into the editor.
class TDesignExchange
{
public:
    TDesignExchange(TDesignEditor &editor, TEditorPrompts &prompts, TMessageLookup messages,
                    TKeyValueList &settings);

    // Opens a folder in the desktop's file manager; when it could not, shows
    // `message` and `path` (now or later).
    using TShowFolder = std::function<void(const QString &folder, const QString &message, const QString &path)>;

    // "Save as ZIP": the design folder as it is on disk (unsaved changes
    // are not in it). Then names the archive and offers to show its folder.
    // False when cancelled; a failed write raises EZipError.
    bool SaveAsZip(const TShowFolder &showFolder);
    // "Import from ZIP": true when a design was imported and is now the
    // edited one (the window then fills its pages anew).
    bool ImportFromZip();

    static constexpr const char *DirKey = "ExchangeDialog.InitialDir";

private:
    void RememberFolder(const QString &file);

    TDesignEditor &mEditor;
    TEditorPrompts &mPrompts;
    TMessageLookup mMessages;
    TKeyValueList &mSettings;
};
