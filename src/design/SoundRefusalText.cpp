#include "design/SoundRefusalText.h"

#include "sound/SoundImport.h"

#include <QDir>

QString SoundRefusalReason(const ESoundRefused &refusal, const TMessageLookup &lookup)
{
    switch (refusal.Reason()) {
    case TSoundRefusal::CannotOpen:
        return lookup(QStringLiteral("SoundCannotOpen"));
    case TSoundRefusal::UnknownFormat:
        return lookup(QStringLiteral("SoundUnknownFormat"));
    case TSoundRefusal::Damaged:
        return lookup(QStringLiteral("SoundDamaged"));
    case TSoundRefusal::Unplayable:
        return lookup(QStringLiteral("SoundUnplayable"));
    case TSoundRefusal::Empty:
        return lookup(QStringLiteral("SoundEmpty"));
    case TSoundRefusal::TooLong:
        break;
    }
    return lookup(refusal.Shared() ? QStringLiteral("SoundsTooLong") : QStringLiteral("SoundTooLong"))
        .arg(SoundImport::LengthText(refusal.Seconds()), SoundImport::LengthText(refusal.Limit()));
}

QString SoundRefusalText(const ESoundRefused &refusal, const TMessageLookup &lookup)
{
    return lookup(QStringLiteral("SoundRefused"))
        .arg(QDir::toNativeSeparators(refusal.Path()), SoundRefusalReason(refusal, lookup));
}
