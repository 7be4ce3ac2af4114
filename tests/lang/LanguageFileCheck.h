#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

// What a translator can get wrong in a language file, measured against the
// English one: keys left out, placeholders or line breaks lost, two menu
// entries on one "&" letter, texts left in English, the help page missing.
// Each problem is one readable line naming the key.
struct TLanguageFileCheck {
    QString EnglishPath;
    // Keys whose text is rightly the same as the English ("OK", "Volume").
    QSet<QString> SameAsEnglish;
    // Translation paths of captions that share one menu.
    QList<QStringList> MenuGroups;

    QStringList Problems(const QString &path) const;
};

// The placeholders of a text ("%1", "%s", "%d"...) and its line breaks
// ("\n", "<br>"), sorted, so that two texts can be compared.
QStringList PlaceholdersOf(const QString &text);

// The letter after a single "&" ("&&" shows an ampersand), lower-cased.
QString MnemonicOf(const QString &caption);

// The keys whose texts may equal the English ones, per language, from an
// ini file with one section per language file name.
QSet<QString> SameAsEnglishKeys(const QString &allowancePath, const QString &language);
