#pragma once

#include <QString>
#include <QStringList>

// Which of the offered languages (language file names without ".lng", such
// as "english" or "deutsch") the desktop's locale speaks, e.g. "deutsch"
// for "de_DE.UTF-8"; empty when none does. A file may be named by the
// language's English name, its own name or its code, in any letter case.
QString LanguageForLocale(const QStringList &languages, const QString &localeName);

// The locale that messages are shown in: LC_ALL, LC_MESSAGES or LANG,
// the first one set.
QString EnvironmentLocaleName();
