#pragma once

#include "lang/MessageLookup.h"

#include <QString>

class ESoundRefused;

// The message for `key`, or `english` when the language file has none.
QString LookupOr(const TMessageLookup &lookup, const char *key, const char *english);

// Why a sound cannot be used, as a sentence in the player's language
// (without the file's name): "it holds no sound."
QString SoundRefusalReason(const ESoundRefused &refusal, const TMessageLookup &lookup);
// The whole message for a sound the player chose: the file's name and why.
QString SoundRefusalText(const ESoundRefused &refusal, const TMessageLookup &lookup);
