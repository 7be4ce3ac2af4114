#include "sound/ManualAudioBackend.h"

#include <algorithm>

TManualAudioDevice::TManualAudioDevice(TManualAudioBackend &backend, TAudioDeviceClient &client)
    : mBackend(backend), mClient(client)
{
    mBackend.mDevice = this;
}

TManualAudioDevice::~TManualAudioDevice()
{
    if (mBackend.mDevice == this)
        mBackend.mDevice = nullptr;
}

int TManualAudioDevice::Prepare(TWaveHeader &header)
{
    if (mBackend.PrepareError)
        return mBackend.PrepareError;
    header.Prepared = true;
    return 0;
}

void TManualAudioDevice::Unprepare(TWaveHeader &header)
{
    header.Prepared = false;
}

int TManualAudioDevice::Write(TWaveHeader &header)
{
    ++mWrites;
    Log << QStringLiteral("write %1").arg(header.BufferLength);
    if (mWrites == mBackend.FailWriteNumber)
        return 33;
    header.Done = false;
    mQueue.push_back(TQueued{&header,
                             QByteArray(reinterpret_cast<const char *>(header.Buffer),
                                        header.BufferLength)});
    return 0;
}

void TManualAudioDevice::Pause()
{
    mPaused = true;
    Log << QStringLiteral("pause");
}

void TManualAudioDevice::Restart()
{
    mPaused = false;
    Log << QStringLiteral("restart");
}

void TManualAudioDevice::Reset()
{
    for (TQueued &queued : mQueue)
        queued.Header->Done = true;
    mQueue.clear();
    mPosition = 0;
    if (mLocks == 0)
        ++UnlockedResets;
    Log << QStringLiteral("reset");
}

int32_t TManualAudioDevice::Consume(int32_t bytes, bool notify)
{
    if (mPaused)
        return 0;
    int32_t played = 0;
    bool finished = false;
    while (played < bytes && !mQueue.empty()) {
        TQueued &front = mQueue.front();
        const int32_t n = std::min(bytes - played, int32_t(front.Data.size()) - front.Consumed);
        mPlayed.append(front.Data.constData() + front.Consumed, n);
        front.Consumed += n;
        played += n;
        if (front.Consumed == front.Data.size()) {
            front.Header->Done = true;
            mQueue.pop_front();
            finished = true;
        }
    }
    mPosition += played;
    if (finished && notify)
        Notify();
    return played;
}

int32_t TManualAudioDevice::RunDry(int32_t limit)
{
    int32_t total = 0;
    while (total < limit && !mQueue.empty()) {
        const int32_t n = Consume(std::min<int32_t>(int32_t(mQueue.front().Data.size()), limit - total));
        if (n == 0)
            break;
        total += n;
    }
    return total;
}

void TManualAudioDevice::Notify()
{
    mClient.BlockDone();
}

int32_t TManualAudioDevice::QueuedBytes() const
{
    int32_t bytes = 0;
    for (const TQueued &queued : mQueue)
        bytes += int32_t(queued.Data.size()) - queued.Consumed;
    return bytes;
}

QByteArray TManualAudioDevice::Pending() const
{
    QByteArray bytes;
    for (const TQueued &queued : mQueue)
        bytes.append(queued.Data.mid(queued.Consumed));
    return bytes;
}

bool TManualAudioBackend::DeviceCaps(int, TDeviceCaps &caps)
{
    if (!CapsAvailable)
        return false;
    caps = Caps;
    return true;
}

std::unique_ptr<TAudioDevice> TManualAudioBackend::Open(int device, const TPcmFormat &format,
                                                        TAudioDeviceClient &client, int &error)
{
    if (OpenError) {
        error = OpenError;
        return nullptr;
    }
    ++mOpenCount;
    mOpenedDevice = device;
    mOpenedFormat = format;
    return std::make_unique<TManualAudioDevice>(*this, client);
}
