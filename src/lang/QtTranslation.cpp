#include "lang/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

void UseQtTranslation(const QString &locale)
{
    // The application's translators are process-wide: so is the one we own.
    static std::unique_ptr<QTranslator> installed;
    static QString installedLocale;
    if (locale == installedLocale || !QCoreApplication::instance())
        return;
    if (installed)
        QCoreApplication::removeTranslator(installed.get());
    installed.reset();
    installedLocale = locale;
    auto translator = std::make_unique<QTranslator>();
    if (locale.isEmpty() || locale.startsWith(QLatin1String("en"))
        || !translator->load(QStringLiteral("qtbase_") + locale, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return;
    QCoreApplication::installTranslator(translator.get());
    installed = std::move(translator);
}
