#include "IniFile.h"

#include "TextFile.h"

#include <algorithm>
#include <cstdint>
#include <optional>

std::shared_ptr<const TIniContents> TIniFile::Contents() const
{
    const std::optional<QByteArray> read = ReadRegularFile(mPath, MaxTextFileSize);
    const QByteArray bytes = read.value_or(QByteArray());
    if (!mContents || bytes != mBytes) {
        mContents = std::make_shared<const TIniContents>(DecodeText(bytes));
        mBytes = bytes;
    }
    return mContents;
}

QString TIniFile::ReadString(const QString &section, const QString &key,
                             const QString &fallback) const
{
    const QString *value = Contents()->Value(section, key);
    return value ? *value : fallback;
}

int TIniFile::ReadInteger(const QString &section, const QString &key, int fallback) const
{
    const QString text = ReadString(section, key);
    qsizetype end = 0;
    if (end < text.size() && (text[end] == QLatin1Char('-') || text[end] == QLatin1Char('+')))
        ++end;
    const qsizetype digitsStart = end;
    while (end < text.size() && text[end].isDigit())
        ++end;
    if (end == digitsStart)
        return fallback;
    bool ok = false;
    const qlonglong value = text.left(end).toLongLong(&ok);
    if (!ok)
        return fallback;
    return static_cast<int>(std::clamp<qlonglong>(value, INT32_MIN, INT32_MAX));
}

QStringList TIniFile::ReadSectionKeys(const QString &section) const
{
    return Contents()->SectionKeys(section);
}

bool TIniFile::SectionExists(const QString &section) const
{
    return Contents()->SectionExists(section);
}
