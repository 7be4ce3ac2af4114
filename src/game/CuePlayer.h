#pragma once

#include <array>

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
    static constexpr int CueCount = 7;

    // The mixer becomes a child of `owner` when first needed, so that the
    // sound output is opened while the window is already being built.
    // Unattended (the scripted run and tests): a device that plays nothing,
    // so nothing is opened.
    TCuePlayer(QObject *owner, bool unattended);

    // The settings turn all sound off for the run: nothing loads or plays.
    void SetDisabled(bool disabled) { mDisabled = disabled; }
    // Follows the application's activation; inactive means silent.
    void SetActivated(bool activated);

    void LoadSounds(const TGamePar &gamePar);
    void ReleaseSounds();
    void PlayCue(int cue);
    // The design editor's "play": the file in slot 0 on channel 0, replacing
    // the preview before it.
    void PlayPreview(const QString &file);

    // Null when there is no sound output.
    TSoundMixer *Mixer();

private:
    QObject *mOwner;
    bool mUnattended;
    bool mDisabled = false;
    bool mMixerMade = false;
    TSoundMixer *mMixer = nullptr; // owned by its Qt parent
    // Slot n holds cue n; slot 0 is the design editor's preview.
    std::array<TLoadedWave *, CueCount + 1> mWaves{};
};
