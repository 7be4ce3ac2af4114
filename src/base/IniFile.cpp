#include "IniFile.h"

#include "TextFile.h"

#include <algorithm>
#include <cstdint>

namespace {

struct Entry {
    QString key;
    QString value;
};

// A value written in double quotes (to keep its blanks) loses them.
QString Unquoted(const QString &value)
{
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
        return value.mid(1, value.size() - 2);
    return value;
}

// Calls `visit` for every "key=value" line of `section`; stops when it
// returns false. Returns whether the section was found.
template <class Visit>
bool VisitSection(const QString &path, const QString &section, Visit visit)
{
    const QStringList lines = SplitLines(ReadTextFile(path));
    bool inSection = false;
    bool found = false;
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            const qsizetype close = line.indexOf(QLatin1Char(']'));
            const QString name = line.mid(1, close < 0 ? -1 : close - 1).trimmed();
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            found = found || inSection;
            continue;
        }
        if (!inSection)
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        Entry entry{line.left(eq).trimmed(), Unquoted(line.mid(eq + 1).trimmed())};
        if (!visit(entry))
            break;
    }
    return found;
}

} // namespace

QString TIniFile::ReadString(const QString &section, const QString &key,
                             const QString &fallback) const
{
    QString result = fallback;
    VisitSection(mPath, section, [&](const Entry &entry) {
        if (entry.key.compare(key, Qt::CaseInsensitive) != 0)
            return true;
        result = entry.value.left(MaxValueLength);
        return false;
    });
    return result;
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
    QStringList keys;
    VisitSection(mPath, section, [&](const Entry &entry) {
        if (!keys.contains(entry.key, Qt::CaseInsensitive))
            keys.append(entry.key);
        return true;
    });
    return keys;
}

bool TIniFile::SectionExists(const QString &section) const
{
    return VisitSection(mPath, section, [](const Entry &) { return false; });
}
