#pragma once

#include "sound/AudioDevice.h"
#include "sound/MixClock.h"
#include "sound/MixerTypes.h"
#include "sound/PlayQueue.h"

#include <QString>

#include <array>
#include <memory>

inline constexpr uint16_t SessionMark = 0x5432;

// The one mixing session of a TMixEngine. The marks at either end let every
// operation reject a stale or damaged record.
struct TMixSession
{
    uint16_t Mark = SessionMark;
    std::unique_ptr<TAudioDevice> Device;
    bool Active = false;
    int DeviceNumber = -1;
    QString Section; // settings section in use, at most 31 characters
    TChannelTable Channels;
    int OpenChannelCount = 0;
    std::array<int32_t, MixChannelCount> Stamps{};
    int32_t PlayCounter = 0;
    TPcmFormat Format;
    int32_t BlockLength = 2048;
    int BlockCount = 3;
    int32_t MixPosition = 0;
    TMixClock Clock;
    bool AppendMode = false;
    bool CuesAtPlayPosition = false; // game cues remix the queued blocks
    int Volume = 100; // percent applied to every block mixed from now on
    TPendingRing Pending;
    uint16_t EndMark = SessionMark;

    bool Valid() const { return Mark == SessionMark && EndMark == SessionMark; }
    int32_t BytesPerSec() const { return int32_t(Format.AvgBytesPerSec); }
};
