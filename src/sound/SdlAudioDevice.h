#pragma once

#include "sound/AudioDevice.h"

#include <QObject>
#include <QTimer>

#include <SDL.h>

#include <array>
#include <atomic>
#include <mutex>

// One open SDL output device. SDL's audio thread copies written blocks out
// back to back; finished blocks are handed to the engine's thread through a
// posted event, where their Done flags are set and the engine is told.
// Written data is copied, so the engine may refill its blocks freely.
// Pausing holds SDL's thread off rather than letting it play silence.
//
// SDL's thread wakes for every buffer even when it only plays silence, so a
// device that may close when idle does so once nothing has been written for
// a while; the next Write opens it again, keeping the position.
class TSdlAudioDevice : public TAudioDevice
{
public:
    // How long a device that closes when idle waits before it does.
    static constexpr int IdleCloseMs = 1000;

    TSdlAudioDevice(TAudioDeviceClient &client, bool closeWhenIdle = false);
    ~TSdlAudioDevice() override;
    TSdlAudioDevice(const TSdlAudioDevice &) = delete;
    TSdlAudioDevice &operator=(const TSdlAudioDevice &) = delete;

    // SDL_OpenAudioDevice with this device's callback; false on failure.
    bool Open(const char *name, const TPcmFormat &format);

    int Prepare(TWaveHeader &header) override;
    void Unprepare(TWaveHeader &header) override;
    int Write(TWaveHeader &header) override;
    void Pause() override;
    void Restart() override;
    void Reset() override;
    int32_t Position() override;
    void Lock() override;
    void Unlock() override;

    // Whether SDL's device (and its thread) is open now.
    bool StreamOpen() const { return mId != 0; }

    // Bytes handed to SDL so far, silence included (for measurements).
    int64_t StreamBytes() const { return mStreamBytes.load(); }
    // SDL's requests that found fewer bytes written than they asked for,
    // the rest being played as silence (for measurements).
    int64_t ShortFills() const { return mShortFills.load(); }

private:
    enum class TSlotState { Free, Queued, Done };
    struct TSlot
    {
        TSlotState State = TSlotState::Free;
        TWaveHeader *Header = nullptr;
        int32_t Length = 0;
        int32_t Consumed = 0;
        uint8_t Data[4096];
    };

    class TNotifier : public QObject
    {
    public:
        explicit TNotifier(TSdlAudioDevice &device) : mDevice(device) {}
        bool event(QEvent *event) override;

    private:
        TSdlAudioDevice &mDevice;
    };

    bool OpenStream();
    void CloseIfIdle();
    bool Idle();
    static void Callback(void *user, Uint8 *stream, int length);
    void Fill(Uint8 *stream, int length);
    void DeliverDone();

    static constexpr int SlotCount = 8;
    TAudioDeviceClient &mClient;
    TNotifier mNotifier;
    SDL_AudioDeviceID mId = 0;
    QByteArray mName; // empty: SDL's default device
    SDL_AudioSpec mSpec{};
    bool mCloseWhenIdle = false;
    QTimer mIdleTimer;
    int mLocks = 0; // engine thread only; SDL's lock is taken this often
    std::mutex mMutex;
    std::array<TSlot, SlotCount> mSlots;
    std::array<int, SlotCount> mOrder{}; // queued slots, oldest first
    int mOrderHead = 0;
    int mOrderCount = 0;
    int32_t mPosition = 0;
    int mPauses = 0; // engine thread only
    std::atomic<bool> mNoticePending{false};
    std::atomic<int64_t> mStreamBytes{0};
    std::atomic<int64_t> mShortFills{0};
};
