#pragma once

#include "design/DesignFolder.h"
#include "lang/MessageLookup.h"
#include "design/GamePar.h"
#include "editor/EditHistory.h"
#include "editor/ImageSlots.h"
#include "editor/PhotoList.h"
#include "editor/SoundFiles.h"
#include "sprites/PictureError.h"

#include <QString>

#include <memory>

class TEditorPrompts;
class TKeyValueList;

// The design editor without its window: the design being edited, its
// photos, pictures and sounds, the Info texts and the File commands. The
// editor window shows what this holds and calls it from its events; every
// question goes through the prompts it is given.
class TDesignEditor
{
public:
    // `settings` is the game's settings list: the file choosers' folders
    // are kept there.
    TDesignEditor(TEditorPrompts &prompts, TMessageLookup messages, TKeyValueList &settings,
                  const TDesignRoots &roots = TDesignRoots::Standard());
    ~TDesignEditor();

    TGamePar &EditedDesign() { return *mDesign; }
    const TGamePar &EditedDesign() const { return *mDesign; }
    TPhotoList &Photos() { return mPhotos; }
    TImageSlots &Images() { return mImages; }
    TSoundFiles &Sounds() { return mSounds; }

    TEditHistory &History() { return mHistory; }

    bool Modified() const { return mModified; }
    // False: as saved, so undoing back to here is unchanged again.
    void SetModified(bool modified);
    // The names of the pictures and sound cues in the window's language,
    // for the names of the changes to undo.
    void SetNames(const QStringList &pictures, const QStringList &cues);
    // The window caption: `baseCaption`, then " [name]" when the design has
    // one, or the words for a new design after New until it is saved.
    QString Caption(const QString &baseCaption) const;
    // After New, until the design is saved or another is opened.
    bool IsNew() const { return mIsNew; }
    // A picture the reader refused, in the window's language: its file's
    // name and why.
    QString RefusalText(const EPictureError &error) const;

    // Loads the design (empty: Default) and fills photos, sounds and the
    // first picture; nothing is left to undo and nothing is changed.
    void Load(const QString &name);
    // The photo size field's text, used by previews and the save.
    const QString &PhotoSizeText() const { return mPhotoSizeText; }
    // A Background fitted to the field follows it: one more step to undo.
    void SetPhotoSizeText(const QString &text);
    // The play field as the design will have it once saved: its photos at
    // the photo size make the ship cell.
    QSize SavedFieldSize() const;

    // Every change below can be undone as one step.
    // "+": asks for photos and adds those that can be read; the others are
    // refused, each with its reason. The index to make current.
    int AddPhotos(int currentIndex);
    // "-": false when none of the rows was there.
    bool RemovePhotos(const QList<int> &rows);
    // The photos in a new order: the same paths, else nothing changes.
    void ReorderPhotos(const QStringList &order);
    // Photo `from` to place `to`; false when either is no photo.
    bool MovePhoto(int from, int to);
    // "load" on the Images page: false when cancelled or when the file
    // cannot be read; that is said, and nothing changes.
    bool LoadPicture();
    // "load" on the Sound page for cue n: false when cancelled. A file that
    // cannot be used raises a message in the player's language naming it,
    // and nothing changes.
    bool LoadSound(int n);
    // The mixer rate chosen sounds are converted for (tests set their own).
    void SetMixerRate(int32_t rate) { mMixerRate = rate; }
    // The colour dialog: false when cancelled.
    bool ChooseColour();
    // One of the colour fields.
    void PickColour(const QColor &colour);
    // The Size list, and "animated" unchecked: a still picture of that size.
    void ResizePicture(const QString &sizeText);
    void MakeStill(const QString &sizeText);
    void FitPicture();
    void SetLoop(bool loop);
    void SetDelay(const QString &text);
    // "undo" on the Images page: the picture as the design has it on disk.
    void ReloadPicture();
    // "Make title": asks for the banner's text (the design's name proposed)
    // and draws the three title pictures from it and the design's photos;
    // false when cancelled.
    bool MakeTitle();
    void SetSoundToDefault(int n);
    // What the line under a picture larger than its place needs says; empty
    // when Fit is not offered.
    QString FitNote() const;
    // Whether the Sound page may play: not when the settings switch the
    // sound mixer off.
    bool CanPlaySounds() const;

    QString Author() const;
    void SetAuthor(const QString &text);
    QString Info() const;
    void SetInfo(const QString &text);
    QString Version() const;
    // The play-field size the save will give: "width x height".
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
    // A change of the design, recorded as one step. `mergeable` steps of the
    // same kind and picture in a row (typing) become one.
    enum class TStep { Picture, Size, Animated, Fit, Loop, Delay, Colour, Reload, AddPhotos, RemovePhotos,
                       MovePhotos, Sound, Author, Info, Title, Follow };
    // Records the change, then the Background following the field when it
    // changed the field.
    void Change(TStep step, int index, const std::function<void()> &change);
    // `mergeId` as for TEditHistory::Record.
    void FollowField(int mergeId);
    // Title pictures drawn with `text` and the photos for the field the save makes.
    void SetMadeTitles(const QString &text);
    QString StepText(TStep step, int index) const;

    TEditorPrompts &mPrompts;
    TMessageLookup mMessages;
    TKeyValueList &mSettings;
    bool mModified = false;
    bool mIsNew = false;
    TEditHistory mHistory{mModified};
    QStringList mPictureNames, mCueNames;
    std::unique_ptr<TGamePar> mDesign;
    TPhotoList mPhotos;
    TImageSlots mImages;
    TSoundFiles mSounds;
    QString mPhotoSizeText = QStringLiteral("100");
    int32_t mMixerRate;
};
