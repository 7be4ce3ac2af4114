#include "session/CuePlayer.h"

#include "design/DesignBudget.h"
#include "design/GamePar.h"
#include "sound/ManualAudioBackend.h"
#include "sound/MixSession.h"
#include "sound/MixSettings.h"
#include "sound/SoundImport.h"
#include "sound/SoundMixer.h"

#include <cstdio>
#include <utility>

TCuePlayer::TCuePlayer(QObject *owner, bool unattended) : mOwner(owner), mUnattended(unattended)
{
}

TSoundMixer *TCuePlayer::Mixer()
{
    if (mMixerMade || mDeferred)
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
        return nullptr;
    }
    if (mVolume >= 0)
        mMixer->SetVolume(mVolume);
    mMixer->SetActivated(mActivated);
    return mMixer;
}

void TCuePlayer::OpenDeferred()
{
    if (!mDeferred)
        return;
    mDeferred = false;
    const TGamePar *design = std::exchange(mDeferredDesign, nullptr);
    const std::optional<TCue> cue = std::exchange(mWaitingCue, std::nullopt);
    Mixer();
    if (design)
        LoadSounds(*design);
    if (cue)
        PlayCue(*cue);
}

void TCuePlayer::SetActivated(bool activated)
{
    mActivated = activated;
    if (mMixer)
        mMixer->SetActivated(activated);
}

void TCuePlayer::SetVolume(int percent)
{
    mVolume = percent;
    if (Mixer())
        mMixer->SetVolume(percent);
}

// Runs on the window thread, like every mixer call.
void TCuePlayer::LoadSounds(const TGamePar &gamePar)
{
    if (mDisabled)
        return;
    if (mDeferred) {
        if (!mDeferredDesign) {
            mDeferredDesign = &gamePar;
            return;
        }
        // A second design before the output opened (one dropped at start):
        // it is checked now, like any design the player changes to.
        mDeferred = false;
        mDeferredDesign = nullptr;
        mWaitingCue.reset();
    }
    if (!Mixer())
        return;
    TDesignBudget budget(gamePar.DesignName());
    try {
        for (int cue = 1; cue <= CueCount; ++cue) {
            const QString file = gamePar.SoundFile(cue);
            try {
                mWaves[cue] = mMixer->LoadWave(file);
            } catch (const EMixerError &e) {
                throw SoundImport::RefusalOf(e, file);
            }
            budget.BookSound(cue, mWaves[cue] ? mWaves[cue]->Length : 0, file);
        }
    } catch (...) {
        // A design refused part-way holds none of its sounds.
        ReleaseSounds();
        throw;
    }
}

void TCuePlayer::CheckSounds(const TGamePar &gamePar) const
{
    if (mDisabled)
        return;
    TPcmFormat output;
    if (mMixer) {
        output = mMixer->Session()->Format;
    } else {
        output.SamplesPerSec = uint32_t(ConfiguredMixerRate());
        output.AvgBytesPerSec = output.SamplesPerSec;
    }
    for (int cue = 1; cue <= CueCount; ++cue)
        SoundImport::CheckWave(gamePar.SoundFile(cue), output);
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

void TCuePlayer::PlayCue(TCue cue)
{
    // An empty slot (a wave that failed to load) is simply silent.
    if (mDeferred && !mDisabled) {
        mWaitingCue = cue;
        return;
    }
    const int number = CueNumber(cue);
    if (mDisabled || !Mixer() || !mMixer->Activated() || !mWaves[number])
        return;
    mMixer->PlayCue(number, mWaves[number]);
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
    try {
        mWaves[0] = mMixer->LoadWave(file);
    } catch (const EMixerError &e) {
        throw SoundImport::RefusalOf(e, file);
    }
    mMixer->Play(0, mWaves[0]);
}
