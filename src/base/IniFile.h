#pragma once

#include <QString>
#include <QStringList>

// Reads a sectioned ini file the way the desktop's profile functions do:
// section and key names match without regard to case, the value is the
// text after the first "=" without surrounding blanks and without one
// pair of enclosing double quotes, cut to 1023 characters. Lines are
// decoded as TextFile.h describes, UTF-16 with a byte-order mark included.
// The file is read afresh on every call; a missing file behaves like one
// without entries.
class TIniFile
{
public:
    static constexpr int MaxValueLength = 1023;

    explicit TIniFile(QString path) : mPath(std::move(path)) {}

    const QString &Path() const { return mPath; }

    // The first matching key of the first matching section; `fallback`
    // when there is none.
    QString ReadString(const QString &section, const QString &key,
                       const QString &fallback = QString()) const;
    // Leading digits of the value (with an optional sign), as the profile
    // functions read numbers; `fallback` when the key is missing or holds
    // no number.
    int ReadInteger(const QString &section, const QString &key, int fallback) const;
    // The keys of a section in file order (each once).
    QStringList ReadSectionKeys(const QString &section) const;
    bool SectionExists(const QString &section) const;

private:
    QString mPath;
};
