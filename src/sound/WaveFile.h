#pragma once

#include "sound/MixerTypes.h"

#include <QString>

#include <memory>

// Reads the PCM wave file at `path` ("fmt " then "data" inside a RIFF
// "WAVE" form) and converts it to `output`. Sizes are checked against the
// file before anything is allocated. Raises EMixerError; nothing is left
// open or allocated after a failure.
std::unique_ptr<TLoadedWave> LoadWaveFile(const QString &path, const TPcmFormat &output);

// The bytes the wave at `path` takes once converted to `output`, read from
// its headers alone, so a caller can sum what several waves will need.
// Raises EMixerError as LoadWaveFile does.
int64_t ConvertedWaveLength(const QString &path, const TPcmFormat &output);

// The format record of the wave at `path`, checked as LoadWaveFile checks
// it before reading samples. Raises EMixerError.
TPcmFormat ReadWaveFormat(const QString &path);
