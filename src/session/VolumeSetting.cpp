#include "session/VolumeSetting.h"

#include <algorithm>

namespace VolumeSetting {

namespace {
const QString Key = QStringLiteral("Volume");
}

int Read(const TKeyValueList &settings)
{
    bool ok = false;
    const int value = settings.Value(Key).trimmed().toInt(&ok);
    return ok ? std::clamp(value, 0, 100) : Default;
}

void Store(TKeyValueList &settings, int percent)
{
    settings.SetValue(Key, QString::number(std::clamp(percent, 0, 100)));
}

} // namespace VolumeSetting
