#pragma once

#include "play/Cue.h"

#include <array>
#include <optional>

class QObject;
class QString;
class TGamePar;
class TSoundMixer;
struct TLoadedWave;

// The game's seven sound cues on the mixer: one wave and one channel per
// cue, so a cue cuts off only its own previous sound.
class TCuePlayer
{
public:
    // The mixer becomes a child of `owner` when first needed. Unattended
    // (the scripted run and tests): a device that plays nothing, so nothing
    // is opened.
    TCuePlayer(QObject *owner, bool unattended);

    // Keeps the sound output closed until OpenDeferred, so that the window
    // shows before the sound system and its libraries are loaded. Meanwhile
    // the first LoadSounds only notes its design (a later one opens the
    // output at once), and the last cue asked for waits.
    void DeferOpening() { mDeferred = true; }
    // Opens the output, loads the noted design's sounds (throwing as
    // LoadSounds does, holding none) and plays the cue that waited.
    void OpenDeferred();

    // The settings turn all sound off for the run: nothing loads or plays.
    void SetDisabled(bool disabled) { mDisabled = disabled; }
    // Follows the application's activation; inactive means silent.
    void SetActivated(bool activated);
    // 0..100; makes the mixer unless the output is deferred.
    void SetVolume(int percent);

    // Raises ESoundRefused naming the first sound the mixer could not load.
    void LoadSounds(const TGamePar &gamePar);
    // The same check from the files' headers alone, without the output:
    // a design is refused before it is shown even while the output waits.
    void CheckSounds(const TGamePar &gamePar) const;
    void ReleaseSounds();
    void PlayCue(TCue cue);
    // The design editor's "play": the file in slot 0 on channel 0, replacing
    // the preview before it. Raises ESoundRefused naming a file that fails.
    void PlayPreview(const QString &file);

private:
    // The mixer, made on first use; null while deferred or without output.
    TSoundMixer *Mixer();

    QObject *mOwner;
    bool mUnattended;
    bool mDisabled = false;
    bool mDeferred = false;
    const TGamePar *mDeferredDesign = nullptr;
    std::optional<TCue> mWaitingCue;
    bool mActivated = true;
    int mVolume = -1; // none set
    bool mMixerMade = false;
    TSoundMixer *mMixer = nullptr; // owned by its Qt parent
    // Slot n holds cue n; slot 0 is the design editor's preview.
    std::array<TLoadedWave *, CueCount + 1> mWaves{};
};
