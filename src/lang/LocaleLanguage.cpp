#include "lang/LocaleLanguage.h"

#include <QLocale>
#include <QRegularExpression>

QString LanguageForLocale(const QStringList &languages, const QString &localeName)
{
    // "de_DE.UTF-8@euro": the language code is the part before "_", "." or "@".
    QString code = localeName;
    const qsizetype end = code.indexOf(QRegularExpression(QStringLiteral("[_.@]")));
    if (end >= 0)
        code.truncate(end);
    if (code.size() < 2)
        return {};
    const QLocale locale(code);
    if (locale.language() == QLocale::C || locale.language() == QLocale::AnyLanguage)
        return {};
    const QStringList names = {QLocale::languageToString(locale.language()),
                               locale.nativeLanguageName(), code};
    for (const QString &name : names) {
        for (const QString &language : languages) {
            if (!name.isEmpty() && language.compare(name, Qt::CaseInsensitive) == 0)
                return language;
        }
    }
    return {};
}

QString EnvironmentLocaleName()
{
    for (const char *variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty())
            return value;
    }
    return {};
}
