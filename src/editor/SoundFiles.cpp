#include "editor/SoundFiles.h"

#include "base/FileNames.h"
#include "base/FileWriter.h"
#include "design/DesignBudget.h"
#include "design/GamePar.h"
#include "sound/SoundImport.h"
#include "sound/WaveConvert.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

TSoundFiles::TSoundFiles(const TGamePar &design, bool &modified) : mDesign(design), mModified(modified) {}

TSoundFiles::~TSoundFiles() = default;

std::size_t TSoundFiles::Index(int n)
{
    if (n < 1 || n > Count)
        throw EDesignError(QStringLiteral("There is no sound cue %1").arg(n));
    return std::size_t(n - 1);
}

void TSoundFiles::Fill()
{
    for (int n = 1; n <= Count; ++n)
        mFiles[Index(n)] = mDesign.SoundFile(n);
}

void TSoundFiles::SetFile(int n, const QString &path)
{
    mFiles[Index(n)] = path;
    mModified = true;
}

void TSoundFiles::Choose(int n, const QString &path, int32_t mixerRate)
{
    Index(n);
    const TSoundFacts facts = SoundImport::Probe(path);
    const double allowed = AllowedSeconds(n, path, facts.Seconds(), mixerRate);
    if (!mConverted.contains(path) && !SoundImport::PlayableAsIs(path, mixerRate)) {
        // Headers may be off (a stream without a length): the cap holds anyway.
        const int32_t rate = SoundImport::TargetRate(facts.Rate, mixerRate);
        mConverted.insert(path, KeepConverted(SoundImport::ToWave(path, rate, int64_t(allowed * rate))));
    }
    SetFile(n, path);
}

QString TSoundFiles::PlayableFile(int n) const
{
    return mConverted.value(File(n), File(n));
}

double TSoundFiles::AllowedSeconds(int n, const QString &path, double seconds, int32_t mixerRate) const
{
    // The budget counts bytes as the mixer holds them: 8-bit mono at its rate.
    const double own = double(WaveConvert::MaxConvertedLength) / mixerRate;
    if (seconds > own)
        throw ESoundRefused(path, seconds, own, false);
    double others = 0;
    for (int k = 1; k <= Count; ++k) {
        if (k == n)
            continue;
        try {
            others += SoundImport::Probe(PlayableFile(k)).Seconds();
        } catch (const ESoundRefused &) {
            // A cue that cannot be read now holds nothing of the budget.
        }
    }
    const double left = double(TDesignBudget::MaxSoundBytes) / mixerRate - others;
    if (seconds > left)
        throw ESoundRefused(path, seconds, std::max(left, 0.0), true);
    return std::min(own, left);
}

QString TSoundFiles::KeepConverted(const QByteArray &wave)
{
    if (!mConvertedDir) {
        auto dir = std::make_unique<QTemporaryDir>();
        if (!dir->isValid())
            throw EWriteError(QStringLiteral("No folder could be made for converted sounds: %1").arg(dir->errorString()));
        mConvertedDir = std::move(dir);
    }
    const QString path = mConvertedDir->filePath(QStringLiteral("%1.wav").arg(mConverted.size() + 1));
    WriteFileAtomic(path, wave);
    return path;
}

void TSoundFiles::SetToDefault(int n)
{
    SetFile(n, DefaultFile(n));
}

QString TSoundFiles::DefaultFile(int n) const
{
    return ResolvePathNoCase(mDesign.DefaultDir(), SoundName(n));
}

bool TSoundFiles::IsDefaultFile(int n) const
{
    return File(n).compare(DefaultFile(n), Qt::CaseInsensitive) == 0;
}

void TSoundFiles::SaveSounds(const QString &dir) const
{
    for (int n = 1; n <= Count; ++n) {
        if (IsDefaultFile(n)) {
            RemoveFileNoCase(dir, SoundName(n));
            continue;
        }
        const QString target = WritePathNoCase(dir, SoundName(n));
        const QString source = PlayableFile(n);
        if (QFileInfo(source).canonicalFilePath() == QFileInfo(target).canonicalFilePath()
            && QFileInfo::exists(target))
            continue;
        CopyFileAtomic(source, target);
    }
}
