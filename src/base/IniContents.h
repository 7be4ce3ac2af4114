#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

// The entries of an ini text, parsed once into a lookup. Section and key
// names match without regard to case; sections of the same name count as
// one, in file order. Values lose their surrounding blanks and one pair of
// enclosing double quotes, and are cut to MaxValueLength characters.
class TIniContents
{
public:
    static constexpr int MaxValueLength = 1023;

    TIniContents() = default;
    explicit TIniContents(const QString &text);

    // The value of the first matching key of the section; null when there
    // is none.
    const QString *Value(const QString &section, const QString &key) const;
    // The keys of a section in file order (each once, as first written).
    QStringList SectionKeys(const QString &section) const;
    bool SectionExists(const QString &section) const;

private:
    struct TEntry {
        QString Key;
        QString Value;
    };
    struct TSection {
        std::vector<TEntry> Entries;
        QHash<QString, qsizetype> FirstByKey;   // case-folded key -> entry
    };

    void Add(TSection &section, const QString &key, const QString &value);
    const TSection *Find(const QString &section) const;

    QHash<QString, TSection> mSections;   // by case-folded name
};
