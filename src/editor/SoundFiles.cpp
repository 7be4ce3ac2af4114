#include "editor/SoundFiles.h"

#include "base/FileNames.h"
#include "base/FileWriter.h"
#include "design/GamePar.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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
        if (QFileInfo(File(n)).canonicalFilePath() == QFileInfo(target).canonicalFilePath()
            && QFileInfo::exists(target))
            continue;
        CopyFileAtomic(File(n), target);
    }
}
