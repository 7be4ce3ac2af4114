#pragma once

#include "sound/AudioDevice.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <deque>
#include <memory>

class TManualAudioBackend;

// An output device that plays nothing until told to: Consume takes bytes
// off the written blocks as a real device would, so tests (and a scripted
// run) step the mixer deterministically. Every call is logged.
class TManualAudioDevice : public TAudioDevice
{
public:
    TManualAudioDevice(TManualAudioBackend &backend, TAudioDeviceClient &client);
    ~TManualAudioDevice() override;

    int Prepare(TWaveHeader &header) override;
    void Unprepare(TWaveHeader &header) override;
    int Write(TWaveHeader &header) override;
    void Pause() override;
    void Restart() override;
    void Reset() override;
    int32_t Position() override { return mPosition; }
    void Lock() override { ++mLocks; }
    void Unlock() override { --mLocks; }

    // Plays up to `bytes` of the written blocks (none while paused), marks
    // finished blocks done and, when any finished and `notify` is set,
    // reports it to the engine. Returns the bytes played.
    int32_t Consume(int32_t bytes, bool notify = true);
    // Plays until nothing is written any more (at most `limit` bytes).
    int32_t RunDry(int32_t limit = 1 << 24);
    // Tells the engine that blocks are done, as the device's notice would.
    void Notify();

    bool Paused() const { return mPaused; }
    int32_t QueuedBytes() const;
    int QueuedBlocks() const { return int(mQueue.size()); }
    // Everything played so far, in order.
    const QByteArray &Played() const { return mPlayed; }
    // The bytes written but not yet played, in order.
    QByteArray Pending() const;
    // "pause", "restart", "reset", "write <length>" in call order.
    QStringList Log;
    // Resets while the device was not locked: a threaded device would play
    // on between the engine reading the position and dropping the blocks.
    int UnlockedResets = 0;
    int Locks() const { return mLocks; }

private:
    struct TQueued
    {
        TWaveHeader *Header;
        QByteArray Data;
        int32_t Consumed = 0;
    };

    TManualAudioBackend &mBackend;
    TAudioDeviceClient &mClient;
    std::deque<TQueued> mQueue;
    QByteArray mPlayed;
    int32_t mPosition = 0;
    bool mPaused = false;
    int mLocks = 0;
    int mWrites = 0;
};

// A backend whose devices, capabilities and failures a test sets up.
class TManualAudioBackend : public TAudioBackend
{
public:
    int DeviceCount() override { return Devices; }
    bool DeviceCaps(int device, TDeviceCaps &caps) override;
    bool CanPlay(int, const TPcmFormat &) override { return FormatSupported; }
    std::unique_ptr<TAudioDevice> Open(int device, const TPcmFormat &format,
                                       TAudioDeviceClient &client, int &error) override;
    int64_t NowMs() override { return Now; }

    // The open device, or null.
    TManualAudioDevice *Device() const { return mDevice; }
    const TPcmFormat &OpenedFormat() const { return mOpenedFormat; }
    int OpenedDevice() const { return mOpenedDevice; }
    int OpenCount() const { return mOpenCount; }

    int Devices = 1;
    TDeviceCaps Caps{QStringLiteral("Test Device"), 2, false};
    bool CapsAvailable = true;
    bool FormatSupported = true;
    int OpenError = 0;    // nonzero: Open fails with it
    int PrepareError = 0; // nonzero: Prepare fails with it
    int FailWriteNumber = 0; // n > 0: the n-th write of a device fails
    int64_t Now = 0;

private:
    friend class TManualAudioDevice;
    TManualAudioDevice *mDevice = nullptr;
    TPcmFormat mOpenedFormat;
    int mOpenedDevice = -2;
    int mOpenCount = 0;
};
