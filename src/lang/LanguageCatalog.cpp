#include "lang/LanguageCatalog.h"

#include "base/FileNames.h"
#include "base/IniFile.h"
#include "lang/MessageLookup.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

QString LanguageFilePath(const QString &folder, const QString &name)
{
    return ResolvePathNoCase(folder, name + QStringLiteral(".lng"));
}

QStringList LanguageFileNames(const QString &folder)
{
    // Files made on Windows may say ".LNG"; the directory order on Linux is
    // arbitrary, so the names are sorted for the reader.
    static const QString extension = QStringLiteral(".lng");
    QStringList names;
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
    for (const QFileInfo &entry : entries) {
        const QString name = entry.fileName();
        if (entry.isFile() && name.endsWith(extension, Qt::CaseInsensitive))
            names.append(name.left(name.size() - extension.size()));
    }
    names.sort(Qt::CaseInsensitive);
    return names;
}

QList<TOfferedLanguage> OfferedLanguages(const QString &folder)
{
    QList<TOfferedLanguage> offered;
    for (const QString &name : LanguageFileNames(folder)) {
        const TIniFile file(LanguageFilePath(folder, name));
        const auto message = [&](const char *key) {
            return file.ReadString(QLatin1String(MessagesSection), QString::fromLatin1(key));
        };
        TOfferedLanguage language{name, message("LanguageName"), message("Locale"),
                                  message("LanguageTitle"), message("LanguagePrompt"),
                                  message("OK"), message("Cancel")};
        if (language.OwnName.isEmpty())
            language.OwnName = name;
        offered.append(language);
    }
    std::stable_sort(offered.begin(), offered.end(), [](const auto &a, const auto &b) {
        return a.OwnName.compare(b.OwnName, Qt::CaseInsensitive) < 0;
    });
    return offered;
}
