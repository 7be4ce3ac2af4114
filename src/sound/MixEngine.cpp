#include "sound/MixEngine.h"

#include "sound/BlockMixer.h"
#include "sound/MixSettings.h"
#include "sound/MixerError.h"
#include "sound/PlayDoneEvent.h"
#include "sound/WaveFile.h"

#include "base/ErrorReport.h"
#include "base/IniFile.h"

#include <QCoreApplication>

#include <algorithm>
#include <new>
#include <string>

namespace {
const QString UnknownDevice = QStringLiteral("Unknown Device");
constexpr int MaxDeviceNameLength = 31;
} // namespace

TMixEngine::TMixEngine(TAudioBackend &backend, QString iniPath)
    : mBackend(backend), mIniPath(std::move(iniPath))
{
}

TMixEngine::~TMixEngine()
{
    if (mSession) {
        try {
            MixShutdown(mSession.get());
        } catch (...) {
            // Nothing sensible is left to do with a failure while tearing down.
        }
    }
}

TMixSession &TMixEngine::Check(TMixSession *session)
{
    // Only the engine's own live session is accepted; a stale pointer is
    // never dereferenced.
    if (!session || session != mSession.get() || !session->Valid())
        throw EMixerError(MixMessage::InvalidSession);
    mCurrent = session;
    return *session;
}

// ---- session ---------------------------------------------------------------

TMixSession *TMixEngine::MixInit(const TMixConfig *config)
{
    if (mSession)
        throw EMixerError(MixMessage::AlreadyInitialized);
    mPool.Rebuild();
    if (config && config->Size != 10)
        config = nullptr;
    if (mBackend.DeviceCount() <= 0)
        throw EMixerError(MixMessage::NoDevices);
    std::unique_ptr<TMixSession> session;
    try {
        session = std::make_unique<TMixSession>();
    } catch (const std::bad_alloc &) {
        throw EMixerError(MixMessage::Memory);
    }
    ReadSettings(*session, config);
    mSession = std::move(session);
    mCurrent = mSession.get();
    return mCurrent;
}

void TMixEngine::ReadSettings(TMixSession &session, const TMixConfig *config)
{
    // Without a tuning file every value keeps its default.
    const TIniFile ini(mIniPath);
    const auto readInt = [&](const QString &section, const QString &key, int fallback) {
        return mIniPath.isEmpty() ? fallback : ini.ReadInteger(section, key, fallback);
    };
    const TIniFile *file = mIniPath.isEmpty() ? nullptr : &ini;
    const TMixSettings defaults = TMixSettings().ReadSection(file, QStringLiteral("default"));
    session.Section = QStringLiteral("default");
    const int deviceCount = mBackend.DeviceCount();
    session.DeviceNumber =
        readInt(QStringLiteral("general"), QStringLiteral("OutputDevice"), 0);
    if (session.DeviceNumber >= deviceCount || session.DeviceNumber < 0)
        session.DeviceNumber = -1;

    TDeviceCaps caps;
    if (mBackend.DeviceCaps(session.DeviceNumber, caps)) {
        caps.Name = caps.Name.left(MaxDeviceNameLength);
    } else {
        caps = TDeviceCaps{UnknownDevice, 0, false};
    }
    if (caps.Synchronous)
        throw EMixerError(caps.Name.toStdString() + MixMessage::Synchronous);
    if (readInt(QStringLiteral("not compatible"), caps.Name, 0) != 0)
        throw EMixerError(caps.Name.toStdString() + MixMessage::NotCompatible);

    session.Section = caps.Name;
    const TMixSettings settings = defaults.ReadSection(file, session.Section);
    session.AppendMode = settings.AppendMode();
    session.Clock.SetDeviceClock(settings.UsesDeviceClock());
    session.BlockCount = settings.ClampedBlockCount();
    session.CuesAtPlayPosition = settings.CuesAtPlayPosition();

    TPcmFormat &format = session.Format;
    if (config && (config->Flags & ConfigStereo) && config->Channels > 1 && caps.Channels > 1) {
        format.Channels = 2;
        format.BlockAlign = 2;
    }
    int rateCode = settings.SampleRate;
    if (config && (config->Flags & ConfigRate)
        && (config->RateCode == 11 || config->RateCode == 22 || config->RateCode == 44))
        rateCode = config->RateCode;
    format.SamplesPerSec = uint32_t(RateFromCode(rateCode));
    format.AvgBytesPerSec = format.SamplesPerSec * format.Channels;
    session.BlockLength = settings.BlockLengthFor(int32_t(format.SamplesPerSec));
}

void TMixEngine::MixShutdown(TMixSession *session)
{
    TMixSession &s = Check(session);
    MixActivate(&s, false);
    MixCloseChannel(&s, 0, FlushAllChannels);
    s.Pending.ReleaseIf(mPool, [](const TQueuedPlay &) { return true; });
    s.Mark = s.EndMark = 0;
    mCurrent = nullptr;
    mSession.reset();
}

// ---- device ------------------------------------------------------------------

void TMixEngine::MixActivate(TMixSession *session, bool activate)
{
    TMixSession &s = Check(session);
    if (!activate) {
        GiveBack(s);
        return;
    }
    if (mOwner) {
        if (mOwner == &s)
            return;
        throw EMixerError(MixMessage::AlreadyAllocated);
    }
    mOwner = &s;
    if (!s.Device) {
        try {
            OpenDevice(s);
        } catch (...) {
            // Without this, a later activation would think the device is held.
            mOwner = nullptr;
            throw;
        }
    }
    s.Active = true;
    SetClock(s, s.MixPosition);
    Feed(s);
}

void TMixEngine::OpenDevice(TMixSession &s)
{
    int error = 0;
    std::unique_ptr<TAudioDevice> device = mBackend.Open(s.DeviceNumber, s.Format, *this, error);
    if (!device)
        throw EMixerError(MixMessage::OpenFailed + std::to_string(error));
    mBlocks.Create(*device, s.BlockLength); // on failure the device closes with `device`
    s.Device = std::move(device);
}

void TMixEngine::GiveBack(TMixSession &s)
{
    if (s.Active)
        s.MixPosition = CurrentPlayPosition(s);
    if (s.Active && s.Device) {
        ResetKeepingClock(s);
        mBlocks.ReleaseInFlight();
        mBlocks.Destroy(s.Device.get());
        s.Device.reset();
    }
    s.Active = false;
    if (mOwner == &s)
        mOwner = nullptr;
}

// ---- clock -------------------------------------------------------------------

void TMixEngine::SetClock(TMixSession &s, int32_t position)
{
    const int32_t devicePos = s.Device ? s.Device->Position() : 0;
    s.Clock.Set(position, devicePos, mBackend.NowMs(), s.BytesPerSec());
    s.MixPosition = position;
}

int32_t TMixEngine::CurrentPlayPosition(TMixSession &s)
{
    const int32_t devicePos = s.Device ? s.Device->Position() : 0;
    return s.Clock.PlayPosition(devicePos, mBackend.NowMs(), s.BytesPerSec(),
                                s.Format.BlockAlign);
}

int32_t TMixEngine::DevicePlayPosition(TMixSession &s)
{
    return s.Clock.DevicePosition(s.Device ? s.Device->Position() : 0);
}

int32_t TMixEngine::PlayPosition(TMixSession *session)
{
    return CurrentPlayPosition(Check(session));
}

void TMixEngine::ResetKeepingClock(TMixSession &s)
{
    const int32_t position = CurrentPlayPosition(s);
    s.Device->Reset();
    SetClock(s, position);
}

// ---- feeding and servicing ---------------------------------------------------

void TMixEngine::Feed(TMixSession &s)
{
    if (!s.Device)
        return;
    while (TOutputBlock *block = mBlocks.TakeFree(s.BlockCount, s.BlockLength, mOwner)) {
        if (!MixInto(s, *block)) {
            block->Free = true;
            return;
        }
        WriteBlock(s, *block);
    }
}

bool TMixEngine::MixInto(TMixSession &s, TOutputBlock &block)
{
    if (!BlockMixer::MixBlock(s.Channels, s.MixPosition, block.Data, s.BlockLength, s.Volume))
        return false;
    block.FirstPosition = s.MixPosition;
    s.MixPosition += s.BlockLength;
    return true;
}

void TMixEngine::WriteBlock(TMixSession &s, TOutputBlock &block)
{
    mBlocks.AppendInFlight(&block);
    if (s.Device->Write(block.Header) != 0) {
        mBlocks.RemoveInFlight(&block);
        block.Free = true;
        throw EMixerError(MixMessage::WriteFailed);
    }
}

void TMixEngine::BlockDone()
{
    // Runs from the device's notice in the event loop; a failure there is
    // reported like any other event's.
    ErrorReport::Guard([this] { MixService(); });
}

void TMixEngine::MixService()
{
    mCurrent = mOwner;
    if (!mOwner || !mOwner->Device)
        return;
    TMixSession &s = *mOwner;
    mBlocks.ReleaseDone();
    FinishPlays(s);
    Feed(s);
}

void TMixEngine::FinishPlays(TMixSession &s)
{
    const int32_t position = DevicePlayPosition(s);
    for (int channel = 0; channel < MixChannelCount; ++channel) {
        TChannel &c = s.Channels[size_t(channel)];
        if (!c.Open)
            continue;
        while (c.Head && c.Head->End <= position) {
            TQueuedPlay *done = c.Head;
            c.Head = done->Next;
            if (QObject *target = done->Params.NotificationWindow)
                QCoreApplication::postEvent(target, new TPlayDoneEvent(channel, done->Wave));
            mPool.Give(done);
        }
    }
}

// ---- waves ---------------------------------------------------------------------

std::unique_ptr<TLoadedWave> TMixEngine::MixLoadWave(TMixSession *session, const QString &fileName)
{
    TMixSession &s = Check(session);
    if (!mBackend.CanPlay(s.DeviceNumber, s.Format))
        throw EMixerError(MixMessage::CantPlayFormat);
    return LoadWaveFile(fileName, s.Format);
}

void TMixEngine::MixReleaseWave(TMixSession *session, std::unique_ptr<TLoadedWave> wave)
{
    TMixSession &s = Check(session);
    if (!wave)
        throw EMixerError(MixMessage::InvalidPointer);
    const TLoadedWave *released = wave.get();
    const auto ofWave = [released](const TQueuedPlay &play) { return play.Wave == released; };
    for (TChannel &channel : s.Channels) {
        if (channel.Open)
            PlayQueue::ReleaseIf(channel.Head, mPool, ofWave);
    }
    // Held plays must not outlive their wave either.
    s.Pending.ReleaseIf(mPool, ofWave);
}
