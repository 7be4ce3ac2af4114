#pragma once

#include "lang/LanguageCatalog.h"

#include <QString>
#include <QStringList>

// Which of the offered languages (language file names without ".lng", such
// as "english" or "deutsch") the desktop's locale speaks, e.g. "deutsch"
// for "de_DE.UTF-8"; empty when none does. A file may be named by the
// language's English name, its own name or its code, in any letter case.
QString LanguageForLocale(const QStringList &languages, const QString &localeName);

// The offered language (its file name) for the first of `localeNames`
// ("pt_BR.UTF-8", "fr") that one speaks: a file whose Locale is that very
// locale, else one of the same language, else one named after it. Empty
// when none of them has a file.
QString LanguageForLocales(const QList<TOfferedLanguage> &offered, const QStringList &localeNames);

// The player's locales, most wanted first: the LANGUAGE list, then LC_ALL,
// LC_MESSAGES or LANG (the first one set), then the system's locale.
QStringList SystemLocaleNames();

// The locale that messages are shown in: LC_ALL, LC_MESSAGES or LANG,
// the first one set.
QString EnvironmentLocaleName();
