#pragma once

#include "sound/MixerError.h"
#include "sound/MixerTypes.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <stdexcept>

// Why a sound file cannot be used; the window turns each into a sentence
// in the player's language.
enum class TSoundRefusal {
    CannotOpen,    // missing, unreadable, not a regular file
    UnknownFormat, // not a kind of sound file that can be read
    Damaged,       // the kind is known but the contents are broken
    Unplayable,    // a wave file the game cannot play as it is
    Empty,         // no sound in it
    TooLong,       // longer than a design may hold
};

class ESoundRefused : public std::runtime_error
{
public:
    ESoundRefused(TSoundRefusal reason, const QString &path, const QString &detail);
    // TooLong: the sound's length and what is left for it, in seconds;
    // `shared` when the design's other sounds took the rest of the limit.
    ESoundRefused(const QString &path, double seconds, double limit, bool shared);

    TSoundRefusal Reason() const { return mReason; }
    const QString &Path() const { return mPath; }
    double Seconds() const { return mSeconds; }
    double Limit() const { return mLimit; }
    bool Shared() const { return mShared; }

private:
    TSoundRefusal mReason;
    QString mPath;
    double mSeconds = 0, mLimit = 0;
    bool mShared = false;
};

// What a sound file holds, from its headers.
struct TSoundFacts
{
    int64_t Frames = 0;
    int32_t Rate = 0;
    int Channels = 0;
    double Seconds() const { return Rate > 0 ? double(Frames) / Rate : 0.0; }
};

// Turns a sound file of any common kind (WAV of any depth and rate, FLAC,
// Ogg Vorbis, MP3) into the plain wave a design keeps: 16-bit mono PCM at
// one of the mixer's rates, so it plays on every mixer setting.
namespace SoundImport {

// The file patterns an open dialog offers.
QStringList Patterns();

// Raises ESoundRefused when the file cannot be read as sound.
TSoundFacts Probe(const QString &path);

// The mixer's rate the file is converted to: the lowest mixer rate at or
// above the source's, but never above `mixerRate`, so nothing is made
// larger than the mixer can use.
int32_t TargetRate(int32_t sourceRate, int32_t mixerRate);

// The whole file as a RIFF wave, 16-bit mono at `rate`. Refuses with
// TooLong once the result would exceed `maxFrames`, whatever the headers
// claimed. Raises ESoundRefused.
QByteArray ToWave(const QString &path, int32_t rate, int64_t maxFrames);

// Whether the file is already what ToWave makes, or the shipped sounds'
// 8-bit form: a mono PCM wave at a mixer rate up to `rate`, which the mixer
// reads as it is. Never raises.
bool PlayableAsIs(const QString &path, int32_t rate);

// "m:ss", or "h:mm:ss" from an hour on.
QString LengthText(double seconds);

// Checks a wave a design holds as the mixer will load it for `output`,
// from its headers: raises ESoundRefused naming the file when it cannot.
void CheckWave(const QString &path, const TPcmFormat &output);
// The refusal a mixer's failure to load `path` stands for.
ESoundRefused RefusalOf(const EMixerError &error, const QString &path);

} // namespace SoundImport
