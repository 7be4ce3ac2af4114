#pragma once

#include "sound/MixerTypes.h"

#include <QString>

#include <cstdint>
#include <memory>

// A block handed to a device. The device sets Done (on the engine's
// thread) once it has taken every byte of it.
struct TWaveHeader
{
    uint8_t *Buffer = nullptr;
    int32_t BufferLength = 0;
    bool Done = false;
    bool Prepared = false;
};

// What an output device says about itself.
struct TDeviceCaps
{
    QString Name;
    int Channels = 2;
    bool Synchronous = false; // a device that blocks its caller while it plays
};

// Told on the engine's thread that one or more written blocks are done.
class TAudioDeviceClient
{
public:
    virtual ~TAudioDeviceClient() = default;
    virtual void BlockDone() = 0;
};

// An open output device: plays written blocks back to back. Error results
// are device error numbers, 0 meaning success.
class TAudioDevice
{
public:
    virtual ~TAudioDevice() = default;
    virtual int Prepare(TWaveHeader &header) = 0;
    virtual void Unprepare(TWaveHeader &header) = 0;
    // Queues the block after the ones already written and clears its Done.
    virtual int Write(TWaveHeader &header) = 0;
    virtual void Pause() = 0;
    virtual void Restart() = 0;
    // Drops every written block (each is marked Done) and sets the position to 0.
    virtual void Reset() = 0;
    // Bytes played since the device was opened or last reset.
    virtual int32_t Position() = 0;
    // Keeps a device that takes bytes on a thread of its own from taking any
    // until Unlock, so that the engine can read the position, drop the
    // written blocks and write new ones without a byte played in between.
    // Nestable; a device that only plays when told needs neither.
    virtual void Lock() {}
    virtual void Unlock() {}
};

// Holds a device locked for a scope; no device, no lock.
class TDeviceLock
{
public:
    explicit TDeviceLock(TAudioDevice *device) : mDevice(device)
    {
        if (mDevice)
            mDevice->Lock();
    }
    ~TDeviceLock()
    {
        if (mDevice)
            mDevice->Unlock();
    }
    TDeviceLock(const TDeviceLock &) = delete;
    TDeviceLock &operator=(const TDeviceLock &) = delete;

private:
    TAudioDevice *mDevice;
};

// The audio layer: lists, describes and opens devices and tells the time.
// Device number -1 is the default device.
class TAudioBackend
{
public:
    virtual ~TAudioBackend() = default;
    virtual int DeviceCount() = 0;
    // False when the device cannot be asked.
    virtual bool DeviceCaps(int device, TDeviceCaps &caps) = 0;
    // Whether the device could play `format`; opens nothing.
    virtual bool CanPlay(int device, const TPcmFormat &format) = 0;
    // Null with `error` set when the device cannot be opened.
    virtual std::unique_ptr<TAudioDevice> Open(int device, const TPcmFormat &format,
                                               TAudioDeviceClient &client, int &error) = 0;
    // A millisecond clock for the engine's timer clock.
    virtual int64_t NowMs() = 0;
};
