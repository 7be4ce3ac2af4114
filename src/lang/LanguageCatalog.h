#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One language file beside the program, as the lists of languages show it.
// What a language is called and which locale it serves are data in its own
// file ("LanguageName", "Locale" in [Messages]), so a new file needs no code.
struct TOfferedLanguage {
    // The file's name without ".lng": what the settings store.
    QString Name;
    // The language's name in itself ("Français"); Name when the file says none.
    QString OwnName;
    // The locale the file speaks ("fr", "pt_BR"); may be empty.
    QString Locale;
    // The texts that ask for a language, in that language; empty when the
    // file has none.
    QString Title;
    QString Prompt;
    QString Ok;
    QString Cancel;
};

// The path of language `name` in `folder`, whatever the letter case on disk.
QString LanguageFilePath(const QString &folder, const QString &name);

// The names of the language files ("*.lng", any letter case) in `folder`,
// without the extension, sorted.
QStringList LanguageFileNames(const QString &folder);

// The language files in `folder`, sorted by their own names.
QList<TOfferedLanguage> OfferedLanguages(const QString &folder);
