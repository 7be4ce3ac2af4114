#pragma once

#include <QString>

// Short strings of the mail message hold at most this many characters.
constexpr qsizetype MaxMailShortString = 255;

inline QString MailShortString(const QString &text)
{
    return text.left(MaxMailShortString);
}

// One mailbox: the name shown and the address itself.
class TMailAddress
{
public:
    TMailAddress() = default;
    TMailAddress(const QString &name, const QString &address)
        : mName(MailShortString(name)), mAddress(MailShortString(address)) {}

    const QString &Name() const { return mName; }
    void SetName(const QString &name) { mName = MailShortString(name); }
    const QString &Address() const { return mAddress; }
    void SetAddress(const QString &address) { mAddress = MailShortString(address); }

private:
    QString mName;
    QString mAddress;
};
