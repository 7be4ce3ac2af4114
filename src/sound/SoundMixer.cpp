#include "sound/SoundMixer.h"

#include "sound/BlockMixer.h"
#include "sound/MixEngine.h"
#include "sound/MixSettings.h"
#include "sound/MixerError.h"
#include "sound/MixSession.h"
#include "sound/WaveFile.h"

#include "base/SdlModule.h"

#include <algorithm>

TSoundMixer::TSoundMixer(QObject *owner, std::unique_ptr<TAudioBackend> backend,
                         const QString &iniPath)
    : QObject(owner), mBackend(std::move(backend))
{
    setObjectName(QStringLiteral("Mixer"));
    if (!mBackend) {
        mBackend = TSdlModule::Create<TAudioBackend>(TSdlModule::AudioBackendFactory);
        if (!mBackend)
            throw EMixerError(QStringLiteral("no sound output (%1)").arg(TSdlModule::Error()));
    }
    mEngine = std::make_unique<TMixEngine>(*mBackend, iniPath.isNull() ? FindMixerIni() : iniPath);
    const TMixConfig config{10, 0, 1, 11};
    mSession = mEngine->MixInit(&config);
    if (!mSession)
        throw EMixerError(MixMessage::InitFailed);
    mParams.Size = 24;
    mParams.Session = mSession;
}

TSoundMixer::~TSoundMixer()
{
    try {
        SetChannels(0);
        SetActivated(false);
        mEngine->MixShutdown(mSession);
    } catch (...) {
        // A destructor has nobody to report to.
    }
    mWaves.clear();
}

TSoundMixer *TSoundMixer::CreateForGame(QObject *owner, std::unique_ptr<TAudioBackend> backend)
{
    auto mixer = std::make_unique<TSoundMixer>(nullptr, std::move(backend));
    mixer->SetChannels(255);
    mixer->SetActivated(true);
    mixer->setParent(owner);
    return mixer.release();
}

void TSoundMixer::SetActivated(bool value)
{
    if (value == mActivated)
        return;
    mEngine->MixActivate(mSession, value);
    mActivated = value;
}

int TSoundMixer::Volume() const
{
    return mSession->Volume;
}

void TSoundMixer::SetVolume(int percent)
{
    mSession->Volume = std::clamp(percent, 0, BlockMixer::FullVolume);
}

void TSoundMixer::SetChannels(int mask)
{
    mask &= 0xFF;
    if (mask == mChannels)
        return;
    if (mask == 0xFF) {
        mEngine->MixOpenChannel(mSession, 0, ChannelOpenAll);
    } else if (mask == 0) {
        mEngine->MixCloseChannel(mSession, 0, FlushAllChannels);
    } else {
        for (int channel = 0; channel < MixChannelCount; ++channel) {
            const int bit = 1 << channel;
            if ((mask & bit) == (mChannels & bit))
                continue;
            if (mask & bit)
                mEngine->MixOpenChannel(mSession, channel, ChannelOpenSingle);
            else
                mEngine->MixCloseChannel(mSession, channel, 0);
        }
    }
    mChannels = mask;
}

TLoadedWave *TSoundMixer::LoadWave(const QString &fileName)
{
    std::unique_ptr<TLoadedWave> wave = mEngine->MixLoadWave(mSession, fileName);
    mWaves.push_back(std::move(wave));
    return mWaves.back().get();
}

int64_t TSoundMixer::ConvertedSize(const QString &fileName) const
{
    return ConvertedWaveLength(fileName, mSession->Format);
}

void TSoundMixer::ReleaseWave(TLoadedWave *wave)
{
    const auto it = std::find_if(mWaves.begin(), mWaves.end(),
                                 [wave](const auto &held) { return held.get() == wave; });
    if (!wave || it == mWaves.end())
        throw EMixerError(MixMessage::InvalidPointer);
    std::unique_ptr<TLoadedWave> owned = std::move(*it);
    mWaves.erase(it);
    mEngine->MixReleaseWave(mSession, std::move(owned));
}

void TSoundMixer::FlushAll(bool noRemix)
{
    mEngine->MixFlushChannel(mSession, 0, FlushAllChannels | (noRemix ? FlushNoRemix : 0));
}

void TSoundMixer::FlushChannel(int channel, bool noRemix)
{
    mEngine->MixFlushChannel(mSession, channel, noRemix ? FlushNoRemix : 0);
}

void TSoundMixer::Play(int channel, TLoadedWave *wave, QObject *notify, uint32_t flags,
                       uint16_t loops)
{
    mParams.Channel = channel;
    mParams.Wave = wave;
    mParams.Flags = flags;
    mParams.Loops = loops;
    mParams.NotificationWindow = notify;
    mEngine->MixPlay(&mParams);
}

void TSoundMixer::PlayCue(int channel, TLoadedWave *wave)
{
    FlushChannel(channel, true);
    Play(channel, wave, nullptr, mSession->CuesAtPlayPosition ? PlayAtPlayPosition : 0, 0);
}
