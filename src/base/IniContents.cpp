#include "IniContents.h"

#include "TextFile.h"

namespace {

// A value written in double quotes (to keep its blanks) loses them.
QString Unquoted(const QString &value)
{
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
        return value.mid(1, value.size() - 2);
    return value;
}

} // namespace

TIniContents::TIniContents(const QString &text)
{
    TSection *current = nullptr;
    for (const QString &raw : SplitLines(text)) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            const qsizetype close = line.indexOf(QLatin1Char(']'));
            const QString name = line.mid(1, close < 0 ? -1 : close - 1).trimmed();
            current = &mSections[name.toCaseFolded()];
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (current && eq > 0)
            Add(*current, line.left(eq).trimmed(), Unquoted(line.mid(eq + 1).trimmed()));
    }
}

// Only the first of equal keys is ever read, so later ones are not kept.
void TIniContents::Add(TSection &section, const QString &key, const QString &value)
{
    const QString folded = key.toCaseFolded();
    if (section.FirstByKey.contains(folded))
        return;
    section.FirstByKey.insert(folded, qsizetype(section.Entries.size()));
    section.Entries.push_back({key, value.left(MaxValueLength)});
}

const TIniContents::TSection *TIniContents::Find(const QString &section) const
{
    const auto it = mSections.constFind(section.toCaseFolded());
    return it == mSections.cend() ? nullptr : &it.value();
}

const QString *TIniContents::Value(const QString &section, const QString &key) const
{
    const TSection *found = Find(section);
    if (!found)
        return nullptr;
    const auto it = found->FirstByKey.constFind(key.toCaseFolded());
    return it == found->FirstByKey.cend() ? nullptr : &found->Entries[std::size_t(it.value())].Value;
}

QStringList TIniContents::SectionKeys(const QString &section) const
{
    QStringList keys;
    if (const TSection *found = Find(section)) {
        keys.reserve(qsizetype(found->Entries.size()));
        for (const TEntry &entry : found->Entries)
            keys.append(entry.Key);
    }
    return keys;
}

bool TIniContents::SectionExists(const QString &section) const
{
    return Find(section) != nullptr;
}
