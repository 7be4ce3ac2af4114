#pragma once

#include <QString>

#include <stdexcept>
#include <string>

// Every failure of the mixer engine, the wave loader and TSoundMixer.
class EMixerError : public std::runtime_error
{
public:
    explicit EMixerError(const std::string &message) : std::runtime_error(message) {}
    explicit EMixerError(const char *message) : std::runtime_error(message) {}
    explicit EMixerError(const QString &message) : std::runtime_error(message.toStdString()) {}
};

// The fixed texts the mixer raises; callers and tests compare against them.
namespace MixMessage {
inline constexpr const char *Memory =
    "Unable to allocate memory for waveform data.  Try making more memory available "
    "by closing other applications.";
inline constexpr const char *InvalidSession = "Invalid Session handle";
inline constexpr const char *AlreadyInitialized = "Session already initialized";
inline constexpr const char *NoDevices = "No wave output devices available";
inline constexpr const char *Synchronous = " is a synchronous (blocking) "
                                           "wave output device.  This will not permit audio to play while other "
                                           "applications are running";
inline constexpr const char *NotCompatible = " is not compatible with the realtime mixer";
inline constexpr const char *OpenFailed = "Failed to open waveform output device #";
inline constexpr const char *PrepareFailed = "Unable to prepare wave header #";
inline constexpr const char *AlreadyAllocated = "Resource is already allocated to a process";
inline constexpr const char *InvalidFlags = "Invalid Flags";
inline constexpr const char *InvalidChannel = "Invalid channel number";
inline constexpr const char *InvalidChannelCount = "Invalid number of channels";
inline constexpr const char *ChannelAlreadyOpen = "The channel has already been opened";
inline constexpr const char *ChannelNotOpen = "The specified channel was not open";
inline constexpr const char *NilParams = "nil parameters pointer passed to MixPlay";
inline constexpr const char *NilWave = "nil wave pointer passed to MixPlay!";
inline constexpr const char *NotActive = "Wave device not allocated, call MixActivate(session,TRUE)";
inline constexpr const char *NoOpenChannel = "You must open a channel before you can play a wave";
inline constexpr const char *OutOfRecords = "Not enough memory";
inline constexpr const char *WriteFailed = "Failed to write block to device";
inline constexpr const char *InvalidPointer = "The given pointer was not valid";
inline constexpr const char *InitFailed = "Initialization failed (MixInit)";

inline constexpr const char *CantPlayFormat = "The waveform device can\u00B4t play this format";
inline constexpr const char *OpenWaveFailed = "Failed to open wave file ";
inline constexpr const char *NotWave = "This is not a WAVE file";
inline constexpr const char *Corrupted = "WAVE file is corrupted";
inline constexpr const char *FormatReadFailed = "Failed to read format chunk";
inline constexpr const char *NotPcm = "The file is not a PCM file";
inline constexpr const char *NoDataChunk = "WAVE file has no data chunk";
inline constexpr const char *EmptyData = "The data chunk has no data";
inline constexpr const char *DataReadFailed = "Failed to read data chunk";
inline constexpr const char *FormatNotSupported = "File format not supported";
} // namespace MixMessage
