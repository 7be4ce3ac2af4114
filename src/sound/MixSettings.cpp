#include "sound/MixSettings.h"

#include "base/FileNames.h"
#include "base/IniFile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {
const QString MixerIniName = QStringLiteral("MIXER.INI");

// Block lengths are kept whole frames for stereo, so a value is rounded
// down to a multiple of 4 wherever it was read.
int RoundBlockLength(int value)
{
    return value & ~3;
}
} // namespace

TMixSettings TMixSettings::ReadSection(const TIniFile *file, const QString &section) const
{
    if (!file)
        return *this;
    const TIniFile &ini = *file;
    TMixSettings read;
    read.Remix = ini.ReadInteger(section, QStringLiteral("Remix"), Remix);
    read.DeviceClock = ini.ReadInteger(section, QStringLiteral("DeviceClock"), DeviceClock);
    read.BlockCount = ini.ReadInteger(section, QStringLiteral("BlockCount"), BlockCount);
    read.BlockLength =
        RoundBlockLength(ini.ReadInteger(section, QStringLiteral("BlockLength"), BlockLength));
    read.SampleRate = ini.ReadInteger(section, QStringLiteral("SampleRate"), SampleRate);
    read.CueAtPlayPosition =
        ini.ReadInteger(section, QStringLiteral("CueAtPlayPosition"), CueAtPlayPosition);
    return read;
}

int TMixSettings::ClampedBlockCount() const
{
    return std::clamp(BlockCount, 2, 6);
}

int32_t TMixSettings::Rate() const
{
    return RateFromCode(SampleRate);
}

int32_t TMixSettings::BlockLengthFor(int32_t rate) const
{
    if (BlockLength == 0)
        return std::min(rate / 11025 * 2048, 4096);
    return std::clamp(BlockLength, 512, 4096);
}

int32_t RateFromCode(int code)
{
    switch (code) {
    case 22:
        return 22050;
    case 44:
        return 44100;
    default:
        return 11025;
    }
}

int32_t ConfiguredMixerRate()
{
    const QString path = FindMixerIni();
    const TIniFile ini(path);
    return TMixSettings().ReadSection(path.isEmpty() ? nullptr : &ini, QStringLiteral("default")).Rate();
}

QString FindMixerIni()
{
    const QStringList folders = {UserConfigDir() + QStringLiteral("/snapstorm"),
                                 ProgramDataDir()};
    for (const QString &folder : folders) {
        const QString path = FindEntryNoCase(folder, MixerIniName);
        if (!path.isEmpty() && QFileInfo(path).isFile())
            return path;
    }
    return QString();
}
