#pragma once

class TGamePar;

// The game's seven sound cues on the mixer: one wave and one channel per
// cue, so a cue cuts off only its own previous sound.
class TCuePlayer
{
public:
    // Unattended (the scripted run): no sound device is opened.
    explicit TCuePlayer(bool unattended);
    ~TCuePlayer();

    // The settings turn all sound off for the run: nothing loads or plays.
    void SetDisabled(bool disabled) { mDisabled = disabled; }
    // Follows the application's activation; inactive means silent.
    void SetActivated(bool activated);

    void LoadSounds(const TGamePar &gamePar);
    void ReleaseSounds();
    void PlayCue(int cue);

private:
    bool mDisabled = false;
};
