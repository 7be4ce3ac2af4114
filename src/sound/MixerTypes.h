#pragma once

#include <cstdint>
#include <memory>

class QObject;
struct TMixSession;

// The largest stream position; a play ending here never ends.
inline constexpr int32_t EndOfTime = 2147483647;
inline constexpr int MixChannelCount = 8;
inline constexpr int PlayRecordCount = 99;
inline constexpr int MaxBlockCount = 6;
inline constexpr int MaxBlockLength = 4096;
inline constexpr uint8_t SilenceByte = 128;

// PCM format record, laid out field for field like a wave file's "fmt ".
struct TPcmFormat
{
    uint16_t FormatTag = 1;
    uint16_t Channels = 1;
    uint32_t SamplesPerSec = 11025;
    uint32_t AvgBytesPerSec = 11025;
    uint16_t BlockAlign = 1;
    uint16_t BitsPerSample = 8;

    bool operator==(const TPcmFormat &) const = default;
};

// Configuration handed to MixInit; ignored unless Size is 10.
inline constexpr uint32_t ConfigStereo = 1;
inline constexpr uint32_t ConfigRate = 2;
struct TMixConfig
{
    uint16_t Size = 10;
    uint32_t Flags = 0;
    uint16_t Channels = 1;
    uint16_t RateCode = 11; // 11, 22 or 44
};

// A wave converted once to the session's output format.
struct TLoadedWave
{
    TPcmFormat Format;              // as read from the file
    std::unique_ptr<uint8_t[]> Data; // converted samples
    int32_t Length = 0;              // bytes of Data
};

// Play flags, combinable.
inline constexpr uint32_t PlayReplace = 1;
inline constexpr uint32_t PlayOnLeastRecentChannel = 2;
inline constexpr uint32_t PlayAtPlayPosition = 4;
inline constexpr uint32_t PlayHold = 8;
inline constexpr uint16_t LoopForever = 0xFFFF;

// Argument of MixPlay. NotificationWindow, when set, receives a
// TPlayDoneEvent once the play has been heard to its end.
struct TPlayParams
{
    uint16_t Size = 24;
    TMixSession *Session = nullptr;
    int32_t Channel = 0;
    const TLoadedWave *Wave = nullptr;
    QObject *NotificationWindow = nullptr;
    uint32_t Flags = 0;
    uint16_t Loops = 0;
};

// One scheduled play; records come from a fixed pool so playing never allocates.
struct TQueuedPlay
{
    TQueuedPlay *Next = nullptr;
    TPlayParams Params;
    const TLoadedWave *Wave = nullptr;
    int32_t Length = 0; // bytes of one repetition
    int32_t Start = 0;
    int32_t End = 0; // first position not played
    const uint8_t *Data = nullptr;
};

// Channel open modes and flush/close flags.
inline constexpr int32_t ChannelOpenSingle = 0;
inline constexpr int32_t ChannelOpenAll = 1;
inline constexpr int32_t ChannelOpenCount = 2;
inline constexpr uint32_t FlushAllChannels = 1;
inline constexpr uint32_t FlushNoRemix = 2;

// The end of a play starting at `start`: its last byte is not played, and
// an endless or far-off play never ends. Worked in 64 bits so long loops
// cannot wrap round into the past.
int32_t PlayEnd(int32_t start, uint16_t loops, int32_t length);
