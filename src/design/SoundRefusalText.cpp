#include "design/SoundRefusalText.h"

#include "sound/SoundImport.h"

#include <QDir>

QString LookupOr(const TMessageLookup &lookup, const char *key, const char *english)
{
    const QString name = QLatin1String(key);
    const QString text = lookup ? lookup(name) : QString();
    return text.isEmpty() || text == name ? QString::fromUtf8(english) : text;
}

QString SoundRefusalReason(const ESoundRefused &refusal, const TMessageLookup &lookup)
{
    switch (refusal.Reason()) {
    case TSoundRefusal::CannotOpen:
        return LookupOr(lookup, "SoundCannotOpen", "the file cannot be opened.");
    case TSoundRefusal::UnknownFormat:
        return LookupOr(lookup, "SoundUnknownFormat",
                        "it is not a sound file Snapstorm can read (WAV, FLAC, Ogg Vorbis or MP3).");
    case TSoundRefusal::Damaged:
        return LookupOr(lookup, "SoundDamaged", "the file is damaged.");
    case TSoundRefusal::Unplayable:
        return LookupOr(lookup, "SoundUnplayable",
                        "the game plays only plain waves of 8 or 16 bits. Load the sound again in the design "
                        "editor (F9), which converts it.");
    case TSoundRefusal::Empty:
        return LookupOr(lookup, "SoundEmpty", "it holds no sound.");
    case TSoundRefusal::TooLong:
        break;
    }
    const QString text = refusal.Shared()
                             ? LookupOr(lookup, "SoundsTooLong", "it lasts %1, and the design's other sounds leave %2 for it.")
                             : LookupOr(lookup, "SoundTooLong", "it lasts %1, and one sound may last %2 at most.");
    return text.arg(SoundImport::LengthText(refusal.Seconds()), SoundImport::LengthText(refusal.Limit()));
}

QString SoundRefusalText(const ESoundRefused &refusal, const TMessageLookup &lookup)
{
    return LookupOr(lookup, "SoundRefused", "The sound \"%1\" cannot be used: %2")
        .arg(QDir::toNativeSeparators(refusal.Path()), SoundRefusalReason(refusal, lookup));
}
