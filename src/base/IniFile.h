#pragma once

#include "IniContents.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

// Reads a sectioned ini file the way the desktop's profile functions do:
// section and key names match without regard to case, the value is the
// text after the first "=" without surrounding blanks and without one
// pair of enclosing double quotes, cut to 1023 characters. Lines are
// decoded as TextFile.h describes, UTF-16 with a byte-order mark included.
// Every call sees the file as it is now; its text is decoded and parsed
// again only when its bytes have changed. A missing file behaves like one
// without entries.
class TIniFile
{
public:
    static constexpr int MaxValueLength = TIniContents::MaxValueLength;

    explicit TIniFile(QString path) : mPath(std::move(path)) {}

    const QString &Path() const { return mPath; }

    // The whole file as it is now, for reading many keys at once.
    std::shared_ptr<const TIniContents> Contents() const;

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
    // The bytes last parsed and what they hold.
    mutable QByteArray mBytes;
    mutable std::shared_ptr<const TIniContents> mContents;
};
