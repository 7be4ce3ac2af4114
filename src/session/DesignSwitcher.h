#pragma once

#include "design/DesignRoots.h"
#include "design/SoundRefusalText.h"

#include <QString>

#include <exception>
#include <functional>
#include <memory>

class TCuePlayer;
class TGamePar;
class TKeyValueList;

// Keeps the game's design and switches it whole: a candidate is loaded,
// laid out and given its sounds before anything the player sees changes,
// so a design that fails leaves the game on the complete design it had.
class TDesignSwitcher
{
public:
    // Makes a loaded design the game's on screen: window, title, sprites.
    using TShowDesign = std::function<void(const TGamePar &)>;

    TDesignSwitcher(TDesignRoots designRoot, TCuePlayer &cues, TKeyValueList &settings,
                    TShowDesign showDesign);
    ~TDesignSwitcher();

    // The design in use; before the first Apply, an empty one.
    const TGamePar &Current() const { return *mCurrent; }
    // Failures are told in the player's language from then on.
    void SetLookup(TMessageLookup lookup) { mLookup = std::move(lookup); }

    // A design whose pictures or sounds cannot be used is refused whole,
    // with one message naming the file.
    void Apply(const QString &name);
    // The stored design, else Default; throws only when Default fails too.
    // Why the stored design failed waits for ReportStartFailure, once the
    // window shows and speaks the player's language.
    void ApplyStored();
    void ReportStartFailure();
    // The design the editor chose; on failure the kept design gets its
    // sounds back before the error goes on.
    void ApplyEdited(const QString &name);

    void LoadSounds();
    void ReleaseSounds();
    // Opens the sound output held back at start (TCuePlayer::DeferOpening)
    // with the design's sounds. Sounds that fail now are reported and the
    // game gives way to Default, as a stored design that fails at start does.
    void OpenDeferredSound();

private:
    // Releases the current sounds and loads the candidate's; on failure the
    // current ones are back.
    // Apply, raising the loaders' own failures.
    void ApplyUntranslated(const QString &name);
    void LoadSoundsOf(const TGamePar &candidate);
    void RestoreSounds();
    // The message for the failure being handled, in the player's language.
    QString Explain(const QString &design) const;

    TDesignRoots mDesignRoot;
    TCuePlayer &mCues;
    TKeyValueList &mSettings;
    TShowDesign mShowDesign;
    std::unique_ptr<TGamePar> mCurrent;
    bool mApplied = false;
    bool mSoundsLoaded = false;
    TMessageLookup mLookup;
    std::exception_ptr mStartFailure;
    QString mStartDesign;
};
