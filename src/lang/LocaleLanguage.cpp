#include "lang/LocaleLanguage.h"

#include <QLocale>
#include <QRegularExpression>

namespace {

// "pt_BR.UTF-8@euro" -> "pt_BR"; "pt-BR" -> "pt_BR".
QString BareLocale(QString name)
{
    const qsizetype end = name.indexOf(QRegularExpression(QStringLiteral("[.@]")));
    if (end >= 0)
        name.truncate(end);
    return name.replace(QLatin1Char('-'), QLatin1Char('_'));
}

QString LanguageCode(const QString &locale)
{
    return locale.section(QLatin1Char('_'), 0, 0).toLower();
}

} // namespace

QString LanguageForLocale(const QStringList &languages, const QString &localeName)
{
    const QString code = LanguageCode(BareLocale(localeName));
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

QString LanguageForLocales(const QList<TOfferedLanguage> &offered, const QStringList &localeNames)
{
    QStringList names;
    for (const TOfferedLanguage &language : offered)
        names.append(language.Name);
    for (const QString &localeName : localeNames) {
        const QString wanted = BareLocale(localeName);
        const QString code = LanguageCode(wanted);
        if (code.size() < 2)
            continue;
        for (const TOfferedLanguage &language : offered) {
            if (BareLocale(language.Locale).compare(wanted, Qt::CaseInsensitive) == 0)
                return language.Name;
        }
        for (const TOfferedLanguage &language : offered) {
            if (LanguageCode(BareLocale(language.Locale)) == code)
                return language.Name;
        }
        const QString named = LanguageForLocale(names, wanted);
        if (!named.isEmpty())
            return named;
    }
    return {};
}

QStringList SystemLocaleNames()
{
    QStringList names = qEnvironmentVariable("LANGUAGE").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    const QString environment = EnvironmentLocaleName();
    // As gettext does: the list serves only a locale that is not plain C.
    const QString bare = BareLocale(environment);
    if (bare == QLatin1String("C") || bare == QLatin1String("POSIX"))
        names.clear();
    if (!environment.isEmpty())
        names.append(environment);
    names.append(QLocale::system().name());
    return names;
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
