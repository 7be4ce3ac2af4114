#include "sound/SdlAudioDevice.h"

#include "sound/SdlAudioBackend.h"

#include <QCoreApplication>
#include <QEvent>

#include <algorithm>
#include <cstring>

namespace {
QEvent::Type NoticeType()
{
    static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
    return type;
}
} // namespace

TSdlAudioDevice::TSdlAudioDevice(TAudioDeviceClient &client) : mClient(client), mNotifier(*this)
{
}

TSdlAudioDevice::~TSdlAudioDevice()
{
    // Closing waits for SDL's thread; pending notices die with mNotifier.
    while (mPauses > 0)
        Restart();
    if (mId)
        SDL_CloseAudioDevice(mId);
}

bool TSdlAudioDevice::Open(const char *name, const TPcmFormat &format)
{
    SDL_AudioSpec want{};
    want.freq = int(format.SamplesPerSec);
    want.format = AUDIO_U8;
    want.channels = Uint8(format.Channels);
    want.samples = Uint16(TSdlAudioBackend::BufferFrames(want.freq));
    want.callback = &TSdlAudioDevice::Callback;
    want.userdata = this;
    SDL_AudioSpec have{};
    mId = SDL_OpenAudioDevice(name, 0, &want, &have, 0);
    if (!mId)
        return false;
    SDL_PauseAudioDevice(mId, 0);
    return true;
}

int TSdlAudioDevice::Prepare(TWaveHeader &header)
{
    header.Prepared = true;
    return 0;
}

void TSdlAudioDevice::Unprepare(TWaveHeader &header)
{
    header.Prepared = false;
}

int TSdlAudioDevice::Write(TWaveHeader &header)
{
    if (header.BufferLength <= 0 || header.BufferLength > int32_t(sizeof(TSlot::Data)))
        return 1;
    std::lock_guard lock(mMutex);
    if (mOrderCount == SlotCount)
        return 2;
    const auto slot = std::find_if(mSlots.begin(), mSlots.end(),
                                   [](const TSlot &s) { return s.State == TSlotState::Free; });
    if (slot == mSlots.end())
        return 2;
    std::memcpy(slot->Data, header.Buffer, size_t(header.BufferLength));
    slot->Header = &header;
    slot->Length = header.BufferLength;
    slot->Consumed = 0;
    slot->State = TSlotState::Queued;
    header.Done = false;
    mOrder[size_t((mOrderHead + mOrderCount) % SlotCount)] = int(slot - mSlots.begin());
    ++mOrderCount;
    return 0;
}

// A paused SDL device plays silence, a gap in whatever was playing when the
// engine rewrites its blocks; holding its lock just delays the next bytes.
void TSdlAudioDevice::Pause()
{
    Lock();
    ++mPauses;
}

void TSdlAudioDevice::Restart()
{
    if (mPauses == 0)
        return;
    --mPauses;
    Unlock();
}

void TSdlAudioDevice::Reset()
{
    std::lock_guard lock(mMutex);
    for (TSlot &slot : mSlots) {
        if (slot.State != TSlotState::Free)
            slot.Header->Done = true;
        slot = TSlot{};
    }
    mOrderHead = mOrderCount = 0;
    mPosition = 0;
}

int32_t TSdlAudioDevice::Position()
{
    std::lock_guard lock(mMutex);
    return mPosition;
}

// SDL's own lock keeps its thread out of the callback without playing the
// silence a paused device would.
void TSdlAudioDevice::Lock()
{
    SDL_LockAudioDevice(mId);
}

void TSdlAudioDevice::Unlock()
{
    SDL_UnlockAudioDevice(mId);
}

void TSdlAudioDevice::Callback(void *user, Uint8 *stream, int length)
{
    static_cast<TSdlAudioDevice *>(user)->Fill(stream, length);
}

void TSdlAudioDevice::Fill(Uint8 *stream, int length)
{
    bool finished = false;
    int written = 0;
    {
        std::lock_guard lock(mMutex);
        while (written < length && mOrderCount > 0) {
            TSlot &slot = mSlots[size_t(mOrder[size_t(mOrderHead)])];
            const int n = std::min(length - written, slot.Length - slot.Consumed);
            std::memcpy(stream + written, slot.Data + slot.Consumed, size_t(n));
            slot.Consumed += n;
            written += n;
            if (slot.Consumed == slot.Length) {
                slot.State = TSlotState::Done;
                mOrderHead = (mOrderHead + 1) % SlotCount;
                --mOrderCount;
                finished = true;
            }
        }
        mPosition += written;
    }
    // Ran dry: the rest is silence.
    if (written < length) {
        std::memset(stream + written, 0x80, size_t(length - written));
        ++mShortFills;
    }
    mStreamBytes += length;
    if (finished && !mNoticePending.exchange(true))
        QCoreApplication::postEvent(&mNotifier, new QEvent(NoticeType()));
}

bool TSdlAudioDevice::TNotifier::event(QEvent *event)
{
    if (event->type() != NoticeType())
        return QObject::event(event);
    mDevice.DeliverDone();
    return true;
}

void TSdlAudioDevice::DeliverDone()
{
    mNoticePending = false;
    bool any = false;
    {
        std::lock_guard lock(mMutex);
        for (TSlot &slot : mSlots) {
            if (slot.State != TSlotState::Done)
                continue;
            slot.Header->Done = true;
            slot.State = TSlotState::Free;
            any = true;
        }
    }
    if (any)
        mClient.BlockDone();
}
