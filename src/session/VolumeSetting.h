#pragma once

#include "base/KeyValueList.h"

// The sound volume as the settings file keeps it: "Volume", percent 0..100.
namespace VolumeSetting {

inline constexpr int Default = 100;

// The stored volume clamped to 0..100; missing or not a number: full volume.
int Read(const TKeyValueList &settings);
void Store(TKeyValueList &settings, int percent);

} // namespace VolumeSetting
