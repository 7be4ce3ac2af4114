#pragma once

#include "design/DesignFolder.h"
#include "design/GamePar.h"
#include "editor/ImageSlots.h"
#include "editor/PhotoList.h"
#include "editor/SoundFiles.h"

#include <QString>

#include <memory>

class TEditorPrompts;
class TKeyValueList;
class TLanguage;

// The design editor without its window: the design being edited, its
// photos, pictures and sounds, the Info texts and the File commands. The
// editor window shows what this holds and calls it from its events; every
// question goes through the prompts it is given.
class TDesignEditor
{
public:
    // `settings` is the game's settings list: the file choosers' folders
    // are kept there.
    TDesignEditor(TEditorPrompts &prompts, const TLanguage &language, TKeyValueList &settings,
                  const TDesignRoots &roots = TDesignRoots::Standard());
    ~TDesignEditor();

    TGamePar &EditedDesign() { return *mDesign; }
    const TGamePar &EditedDesign() const { return *mDesign; }
    TPhotoList &Photos() { return mPhotos; }
    TImageSlots &Images() { return mImages; }
    TSoundFiles &Sounds() { return mSounds; }

    bool Modified() const { return mModified; }
    void SetModified(bool modified) { mModified = modified; }
    // The window caption: `baseCaption`, then " [name]" when the design has one.
    QString Caption(const QString &baseCaption) const;

    // Loads the design (empty: Default) and fills photos, sounds and the
    // first picture; Modified is not touched.
    void Load(const QString &name);
    // The photo size field's text, used by previews and the save.
    const QString &PhotoSizeText() const { return mPhotoSizeText; }
    void SetPhotoSizeText(const QString &text) { mPhotoSizeText = text; }

    // "+": asks for photos and adds them; the index to make current.
    int AddPhotos(int currentIndex);
    // "load" on the Images page: false when cancelled. A file that cannot
    // be read raises the reader's error and changes nothing.
    bool LoadPicture();
    // "load" on the Sound page for cue n: false when cancelled.
    bool LoadSound(int n);
    // The colour dialog: false when cancelled.
    bool ChooseColour();
    // Whether the Sound page may play: not when the settings switch the
    // sound mixer off.
    bool CanPlaySounds() const;

    QString Author() const;
    void SetAuthor(const QString &text);
    QString Info() const;
    void SetInfo(const QString &text);
    QString Version() const;
    // The play-field size as stored: "width x height".
    QString FieldSizeText() const;
    // A line for the player when the red score lines of the attract screen
    // would be hard to read over the design's title pictures; else empty.
    QString TitleHint() const;

    // The File commands; each returns whether it went ahead.
    bool New();
    bool Open();
    bool Save() { return SaveDesign(false); }
    bool SaveAs() { return SaveDesign(true); }
    // Whether the window may close.
    bool CanClose() { return QuerySave(); }
    bool QuerySave();
    bool SaveDesign(bool askName);

    static constexpr const char *PictureDirKey = "OpenPictureDialog1.InitialDir";
    static constexpr const char *SoundDirKey = "OpenSoundDialog.InitialDir";

private:
    QString Setting(const char *key) const;
    void RememberFolder(const char *key, const QString &file);
    std::optional<QString> AskSaveName();

    TEditorPrompts &mPrompts;
    const TLanguage &mLanguage;
    TKeyValueList &mSettings;
    bool mModified = false;
    std::unique_ptr<TGamePar> mDesign;
    TPhotoList mPhotos;
    TImageSlots mImages;
    TSoundFiles mSounds;
    QString mPhotoSizeText = QStringLiteral("100");
};
