#pragma once

#include <QString>

#include <cstdint>

class TIniFile;

// The mixer's tuning values as read from one section of "MIXER.INI".
struct TMixSettings
{
    int Remix = 1;       // 2: append mode, anything else: remix mode
    int DeviceClock = 0; // 1: device clock, anything else: timer clock
    int BlockCount = 3;
    int BlockLength = 0; // 0: follows the rate
    int SampleRate = 11; // 11, 22 or 44
    // 1: a game cue starts at the play position, mixed into the blocks
    // already queued, so deep queues cost no latency; else it waits for them.
    int CueAtPlayPosition = 0;

    // Reads every key of `section`, each defaulting to this record's value;
    // without a file the values are this record's.
    TMixSettings ReadSection(const TIniFile *ini, const QString &section) const;

    bool AppendMode() const { return Remix == 2; }
    bool UsesDeviceClock() const { return DeviceClock == 1; }
    bool CuesAtPlayPosition() const { return CueAtPlayPosition == 1; }
    int ClampedBlockCount() const;
    int32_t Rate() const;
    // Block length in bytes for output at `rate` samples per second.
    int32_t BlockLengthFor(int32_t rate) const;
};

int32_t RateFromCode(int code);

// The rate the mixer plays at as its tuning file (or the default) sets it.
int32_t ConfiguredMixerRate();

// Where "MIXER.INI" is: $XDG_CONFIG_HOME/snapstorm/ (default
// ~/.config/snapstorm/), else beside the executable, the name matched
// without regard to case. Empty when neither holds one.
QString FindMixerIni();
