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

TSdlAudioDevice::TSdlAudioDevice(TAudioDeviceClient &client, bool closeWhenIdle)
    : mClient(client), mNotifier(*this), mCloseWhenIdle(closeWhenIdle)
{
    mIdleTimer.setSingleShot(true);
    mIdleTimer.setInterval(IdleCloseMs);
    QObject::connect(&mIdleTimer, &QTimer::timeout, &mNotifier, [this] { CloseIfIdle(); });
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
    mName = name ? QByteArray(name) : QByteArray();
    mSpec = SDL_AudioSpec{};
    mSpec.freq = int(format.SamplesPerSec);
    mSpec.format = AUDIO_U8;
    mSpec.channels = Uint8(format.Channels);
    mSpec.samples = Uint16(TSdlAudioBackend::BufferFrames(mSpec.freq));
    mSpec.callback = &TSdlAudioDevice::Callback;
    mSpec.userdata = this;
    if (!OpenStream())
        return false;
    if (mCloseWhenIdle)
        mIdleTimer.start();
    return true;
}

// Engine thread. A device opened while the engine holds it locked is
// locked as often, so every Unlock still has its Lock.
bool TSdlAudioDevice::OpenStream()
{
    SDL_AudioSpec have{};
    mId = SDL_OpenAudioDevice(mName.isEmpty() ? nullptr : mName.constData(), 0, &mSpec, &have, 0);
    if (!mId)
        return false;
    for (int i = 0; i < mLocks; ++i)
        SDL_LockAudioDevice(mId);
    SDL_PauseAudioDevice(mId, 0);
    return true;
}

bool TSdlAudioDevice::Idle()
{
    std::lock_guard lock(mMutex);
    return mOrderCount == 0;
}

// Engine thread, from the idle timer. Nothing is queued and nothing can be
// while the engine is here, so closing loses no byte; SDL joins its thread.
void TSdlAudioDevice::CloseIfIdle()
{
    if (!mId || mLocks > 0 || !Idle())
        return;
    SDL_CloseAudioDevice(mId);
    mId = 0;
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
    mIdleTimer.stop();
    if (!mId && !OpenStream())
        return 3;
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
    if (mCloseWhenIdle && mId)
        mIdleTimer.start();
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
    ++mLocks;
    if (mId)
        SDL_LockAudioDevice(mId);
}

void TSdlAudioDevice::Unlock()
{
    --mLocks;
    if (mId)
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
    // The engine may have written more just now; only a device left empty waits to close.
    if (mCloseWhenIdle && mId && Idle())
        mIdleTimer.start();
}
