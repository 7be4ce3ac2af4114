#include "CuePlayer.h"

#include "design/DesignBudget.h"
#include "design/GamePar.h"
#include "sound/ManualAudioBackend.h"
#include "sound/SoundMixer.h"

#include <cstdio>

TCuePlayer::TCuePlayer(QObject *owner, bool unattended) : mOwner(owner), mUnattended(unattended)
{
}

TSoundMixer *TCuePlayer::Mixer()
{
    if (mMixerMade)
        return mMixer;
    mMixerMade = true;
    try {
        std::unique_ptr<TAudioBackend> backend;
        if (mUnattended)
            backend = std::make_unique<TManualAudioBackend>();
        mMixer = TSoundMixer::CreateForGame(mOwner, std::move(backend));
    } catch (const std::exception &e) {
        // No sound is no reason not to play.
        std::fprintf(stderr, "Snapstorm runs without sound: %s\n", e.what());
        mMixer = nullptr;
    }
    return mMixer;
}

void TCuePlayer::SetActivated(bool activated)
{
    if (Mixer())
        mMixer->SetActivated(activated);
}

// Runs on the window thread, like every mixer call.
void TCuePlayer::LoadSounds(const TGamePar &gamePar)
{
    if (mDisabled || !Mixer())
        return;
    TDesignBudget budget(gamePar.DesignName());
    try {
        for (int cue = 1; cue <= CueCount; ++cue) {
            const QString file = gamePar.SoundFile(cue);
            mWaves[cue] = mMixer->LoadWave(file);
            budget.BookSound(cue, mWaves[cue] ? mWaves[cue]->Length : 0, file);
        }
    } catch (...) {
        // A design refused part-way holds none of its sounds.
        ReleaseSounds();
        throw;
    }
}

void TCuePlayer::ReleaseSounds()
{
    if (mDisabled || !mMixer)
        return;
    mMixer->FlushAll(true);
    for (TLoadedWave *&wave : mWaves) {
        if (wave)
            mMixer->ReleaseWave(wave);
        wave = nullptr;
    }
}

void TCuePlayer::PlayCue(int cue)
{
    // An empty slot (a wave that failed to load) is simply silent.
    if (mDisabled || !Mixer() || !mMixer->Activated() || cue < 1 || cue > CueCount || !mWaves[cue])
        return;
    mMixer->PlayCue(cue, mWaves[cue]);
}

void TCuePlayer::PlayPreview(const QString &file)
{
    if (mDisabled || !Mixer())
        return;
    if (TLoadedWave *&preview = mWaves[0]) {
        mMixer->FlushChannel(0, true);
        mMixer->ReleaseWave(preview);
        preview = nullptr;
    }
    mWaves[0] = mMixer->LoadWave(file);
    mMixer->Play(0, mWaves[0]);
}
