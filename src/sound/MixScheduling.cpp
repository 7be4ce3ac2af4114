// TMixEngine: channels, scheduling of plays and remixing.
#include "sound/MixEngine.h"

#include "sound/BlockMixer.h"
#include "sound/MixerError.h"

#include <algorithm>

// ---- channels ------------------------------------------------------------------

void TMixEngine::MixOpenChannel(TMixSession *session, int32_t channelOrCount, int32_t mode)
{
    TMixSession &s = Check(session);
    if (mode < 0 || mode >= 3)
        throw EMixerError(MixMessage::InvalidFlags);
    const auto open = [&s](int channel) {
        TChannel &c = s.Channels[size_t(channel)];
        if (c.Open)
            return;
        c.Open = true;
        c.Head = nullptr;
        ++s.OpenChannelCount;
    };
    if (mode == ChannelOpenSingle) {
        if (channelOrCount < 0 || channelOrCount >= MixChannelCount)
            throw EMixerError(MixMessage::InvalidChannel);
        if (s.Channels[size_t(channelOrCount)].Open)
            throw EMixerError(MixMessage::ChannelAlreadyOpen);
        open(channelOrCount);
        return;
    }
    int highest = MixChannelCount;
    if (mode == ChannelOpenCount) {
        if (channelOrCount < 1 || channelOrCount > MixChannelCount)
            throw EMixerError(MixMessage::InvalidChannelCount);
        highest = channelOrCount;
    }
    for (int channel = highest - 1; channel >= 0; --channel)
        open(channel);
}

int TMixEngine::Flush(TMixSession &s, int32_t channel, uint32_t flags)
{
    if (flags & FlushAllChannels) {
        int removed = 0;
        for (TChannel &c : s.Channels) {
            if (c.Open)
                removed += PlayQueue::ReleaseAll(c.Head, mPool);
        }
        return removed;
    }
    if (channel < 0 || channel >= MixChannelCount)
        throw EMixerError(MixMessage::InvalidChannel);
    TChannel &c = s.Channels[size_t(channel)];
    if (!c.Open)
        throw EMixerError(MixMessage::ChannelNotOpen);
    return PlayQueue::ReleaseAll(c.Head, mPool);
}

void TMixEngine::MixFlushChannel(TMixSession *session, int32_t channel, uint32_t flags)
{
    TMixSession &s = Check(session);
    const int removed = Flush(s, channel, flags);
    if (removed > 0 && !(flags & FlushNoRemix) && s.Active) {
        const TDeviceLock hold(s.Device.get());
        Remix(s, CurrentPlayPosition(s), nullptr);
    }
}

void TMixEngine::MixCloseChannel(TMixSession *session, int32_t channel, uint32_t flags)
{
    TMixSession &s = Check(session);
    Flush(s, channel, flags | FlushNoRemix);
    const auto close = [&s](TChannel &c) {
        if (!c.Open)
            return;
        c.Open = false;
        c.Head = nullptr;
        --s.OpenChannelCount;
    };
    if (flags & FlushAllChannels) {
        for (TChannel &c : s.Channels)
            close(c);
    } else {
        close(s.Channels[size_t(channel)]);
    }
}

bool TMixEngine::AnyQueued(const TMixSession &s) const
{
    return std::any_of(s.Channels.begin(), s.Channels.end(),
                       [](const TChannel &c) { return c.Open && c.Head; });
}

int32_t TMixEngine::LeastRecentChannel(const TMixSession &s) const
{
    int32_t candidate = -1;
    for (int32_t channel = 0; channel < MixChannelCount; ++channel) {
        if (!s.Channels[size_t(channel)].Open)
            continue;
        if (candidate < 0)
            candidate = channel;
        if (!s.Channels[size_t(candidate)].Head)
            break;
        if (s.Stamps[size_t(channel)] < s.Stamps[size_t(candidate)])
            candidate = channel;
    }
    return candidate;
}

// ---- playing -------------------------------------------------------------------

void TMixEngine::MixPlay(TPlayParams *params)
{
    if (!params)
        throw EMixerError(MixMessage::NilParams);
    TMixSession &s = Check(params->Session);
    if (!params->Wave)
        throw EMixerError(MixMessage::NilWave);
    if (!s.Active)
        throw EMixerError(MixMessage::NotActive);
    if (s.OpenChannelCount == 0)
        throw EMixerError(MixMessage::NoOpenChannel);

    int32_t channel = params->Channel;
    if (params->Flags & PlayOnLeastRecentChannel) {
        channel = LeastRecentChannel(s);
        params->Channel = channel;
    }
    // Checked before the stamp table is touched with it.
    if (channel < 0 || channel >= MixChannelCount)
        throw EMixerError(MixMessage::InvalidChannel);
    s.Stamps[size_t(channel)] = ++s.PlayCounter;
    if (!s.Channels[size_t(channel)].Open)
        throw EMixerError(MixMessage::ChannelNotOpen);
    TQueuedPlay *record = mPool.Take();
    if (!record)
        throw EMixerError(MixMessage::OutOfRecords);
    record->Params = *params;
    record->Params.Channel = channel;
    record->Wave = params->Wave;
    record->Length = params->Wave->Length;
    record->Data = params->Wave->Data.get();
    s.Pending.Push(record);
    if (params->Flags & PlayHold)
        return;

    // From the play position read below to the last block written, the
    // device takes nothing: a remix then neither repeats nor skips a byte.
    const TDeviceLock hold(s.Device.get());
    // Whenever the engine has been idle, the stream starts again at 0.
    if (!mBlocks.AnyInFlight() && !AnyQueued(s))
        SetClock(s, 0);
    const int32_t playPosition = CurrentPlayPosition(s);
    bool remix = false;
    TQueuedPlay *placedLast = nullptr;
    while (TQueuedPlay *pending = s.Pending.PopOldest()) {
        if (!s.Channels[size_t(pending->Params.Channel)].Open) {
            // Its channel was closed while it was held.
            mPool.Give(pending);
            continue;
        }
        remix = Place(s, *pending, playPosition) || remix;
        placedLast = pending;
    }
    if (remix && placedLast) {
        Remix(s, placedLast->Start, placedLast);
        return;
    }
    // Paused around the first blocks so that they begin together.
    const bool paused = !mBlocks.AnyInFlight();
    if (paused)
        s.Device->Pause();
    try {
        Feed(s);
    } catch (...) {
        if (paused)
            s.Device->Restart();
        throw;
    }
    if (paused)
        s.Device->Restart();
}

bool TMixEngine::Place(TMixSession &s, TQueuedPlay &record, int32_t playPosition)
{
    TChannel &channel = s.Channels[size_t(record.Params.Channel)];
    const bool atPlayPosition = record.Params.Flags & PlayAtPlayPosition;
    bool remix = false;
    if (record.Params.Flags & PlayReplace) {
        PlayQueue::ReleaseAll(channel.Head, mPool);
        remix = mBlocks.AnyInFlight();
        record.Start = atPlayPosition ? playPosition : s.MixPosition;
        PlayQueue::Append(channel.Head, &record);
    } else if (TQueuedPlay *last = PlayQueue::Last(channel.Head)) {
        record.Start = atPlayPosition ? last->End : std::max(last->End, s.MixPosition);
        remix = record.Start < s.MixPosition;
        PlayQueue::Append(channel.Head, &record);
    } else {
        record.Start = atPlayPosition ? playPosition : s.MixPosition;
        remix = record.Start < s.MixPosition;
        PlayQueue::Append(channel.Head, &record);
    }
    record.End = PlayEnd(record.Start, record.Params.Loops, record.Length);
    return remix;
}

// ---- remixing ------------------------------------------------------------------

void TMixEngine::Remix(TMixSession &s, int32_t position, TQueuedPlay *record)
{
    if (!s.AppendMode) {
        RemixBlocks(s, position);
        return;
    }
    if (record) {
        // Moved, length kept, so that it starts where mixing stands.
        const int64_t shift = int64_t(s.MixPosition) - record->Start;
        const int64_t end = int64_t(record->End) + shift;
        record->Start = s.MixPosition;
        record->End = end < record->Start ? EndOfTime
                                          : int32_t(std::min<int64_t>(end, EndOfTime));
    }
    MixService();
}

void TMixEngine::RemixBlocks(TMixSession &s, int32_t position)
{
    s.MixPosition = position;
    mBlocks.ReleaseInFlight();
    while (TOutputBlock *block = mBlocks.TakeFree(s.BlockCount, s.BlockLength, mOwner)) {
        if (!MixInto(s, *block)) {
            block->Free = true;
            break;
        }
        mBlocks.AppendInFlight(block);
    }
    const int32_t mixPosition = s.MixPosition;
    ResetKeepingClock(s);
    s.MixPosition = mixPosition;

    s.Device->Pause();
    for (TOutputBlock *block = mBlocks.InFlightHead(); block;) {
        TOutputBlock *next = block->Next;
        if (s.Device->Write(block->Header) != 0) {
            mBlocks.RemoveInFlight(block);
            block->Free = true;
            // A device left paused would never be heard again.
            s.Device->Restart();
            throw EMixerError(MixMessage::WriteFailed);
        }
        block = next;
    }
    s.Device->Restart();
}
