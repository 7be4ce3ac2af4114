#pragma once

#include "sound/AudioDevice.h"
#include "sound/MixSession.h"
#include "sound/MixerTypes.h"
#include "sound/OutputBlocks.h"
#include "sound/PlayQueue.h"

#include <QString>

#include <memory>

// The real-time wave mixer: up to eight channels of queued plays mixed
// into a small ring of 8-bit blocks that keep one output device fed.
//
// One engine stands for the process's mixer: it holds at most one session
// and the state shared by all sessions (the play records, the output
// blocks, the device owner). It has no threads and no widgets: the device
// reports finished blocks through TAudioDeviceClient on the engine's
// thread, which runs MixService. Every failure raises EMixerError.
class TMixEngine : private TAudioDeviceClient
{
public:
    // `iniPath` is the tuning file ("MIXER.INI"); empty or missing means defaults.
    TMixEngine(TAudioBackend &backend, QString iniPath);
    ~TMixEngine() override;
    TMixEngine(const TMixEngine &) = delete;
    TMixEngine &operator=(const TMixEngine &) = delete;

    TMixSession *MixInit(const TMixConfig *config);
    void MixActivate(TMixSession *session, bool activate);
    void MixOpenChannel(TMixSession *session, int32_t channelOrCount, int32_t mode);
    void MixCloseChannel(TMixSession *session, int32_t channel, uint32_t flags);
    void MixFlushChannel(TMixSession *session, int32_t channel, uint32_t flags);
    std::unique_ptr<TLoadedWave> MixLoadWave(TMixSession *session, const QString &fileName);
    void MixReleaseWave(TMixSession *session, std::unique_ptr<TLoadedWave> wave);
    void MixPlay(TPlayParams *params);
    void MixService();
    void MixShutdown(TMixSession *session);

    // State for the component and for tests.
    TMixSession *Session() const { return mSession.get(); }
    TMixSession *CurrentSession() const { return mCurrent; }
    TMixSession *DeviceOwner() const { return mOwner; }
    int FreePlayRecords() const { return mPool.FreeCount(); }
    const TOutputBlocks &Blocks() const { return mBlocks; }
    int32_t PlayPosition(TMixSession *session);

private:
    void BlockDone() override;

    TMixSession &Check(TMixSession *session);
    void ReadSettings(TMixSession &session, const TMixConfig *config);
    void OpenDevice(TMixSession &session);
    void GiveBack(TMixSession &session);

    void SetClock(TMixSession &session, int32_t position);
    int32_t CurrentPlayPosition(TMixSession &session);
    int32_t DevicePlayPosition(TMixSession &session);
    void ResetKeepingClock(TMixSession &session);

    void Feed(TMixSession &session);
    bool MixInto(TMixSession &session, TOutputBlock &block);
    void WriteBlock(TMixSession &session, TOutputBlock &block);

    int Flush(TMixSession &session, int32_t channel, uint32_t flags);
    bool AnyQueued(const TMixSession &session) const;
    int32_t LeastRecentChannel(const TMixSession &session) const;
    bool Place(TMixSession &session, TQueuedPlay &record, int32_t playPosition);
    void Remix(TMixSession &session, int32_t position, TQueuedPlay *record);
    void RemixBlocks(TMixSession &session, int32_t position);
    void FinishPlays(TMixSession &session);

    TAudioBackend &mBackend;
    QString mIniPath;
    std::unique_ptr<TMixSession> mSession;
    TMixSession *mCurrent = nullptr;
    TMixSession *mOwner = nullptr;
    TOutputBlocks mBlocks;
    TPlayPool mPool;
};
