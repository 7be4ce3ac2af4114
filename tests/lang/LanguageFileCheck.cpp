#include "LanguageFileCheck.h"

#include "base/IniFile.h"
#include "lang/ui/Language.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

namespace {

QString Lower(const QString &key)
{
    return key.toLower();
}

bool IsUtf8(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(file.readAll());
    return !decoder.hasError();
}

void CheckSection(const TIniFile &english, const TIniFile &file, const QString &section,
                  const QSet<QString> &same, QStringList &problems)
{
    for (const QString &key : english.ReadSectionKeys(section)) {
        const QString original = english.ReadString(section, key);
        const QString text = file.ReadString(section, key);
        const QString where = "[" + section + "] " + key;
        if (text.isEmpty()) {
            problems << where + ": missing";
            continue;
        }
        if (PlaceholdersOf(text) != PlaceholdersOf(original))
            problems << where + ": placeholders or line breaks " + PlaceholdersOf(text).join(' ')
                            + " instead of " + PlaceholdersOf(original).join(' ');
        if (text == original && !same.contains(Lower(key)))
            problems << where + ": still the English \"" + text + "\"";
    }
}

void CheckMnemonics(const TIniFile &file, const QList<QStringList> &groups, QStringList &problems)
{
    for (const QStringList &group : groups) {
        QStringList seen;
        for (const QString &path : group) {
            const QString letter =
                MnemonicOf(file.ReadString(TLanguage::TranslationsSection, path));
            if (letter.isEmpty())
                continue;
            if (seen.contains(letter))
                problems << path + ": \"&" + letter + "\" is taken in the same menu";
            seen << letter;
        }
    }
}

} // namespace

QStringList PlaceholdersOf(const QString &text)
{
    static const QRegularExpression marks(
        QStringLiteral(R"(%[0-9]+|%[sdiuxXcfgn%]|\\n|<br\s*/?>)"));
    QStringList found;
    for (auto it = marks.globalMatch(text); it.hasNext();)
        found << it.next().captured(0);
    found.sort();
    return found;
}

QString MnemonicOf(const QString &caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&'))
            continue;
        if (caption[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return caption.mid(i + 1, 1).toLower();
    }
    return {};
}

QSet<QString> SameAsEnglishKeys(const QString &allowancePath, const QString &language)
{
    QSet<QString> keys;
    for (const QString &key : TIniFile(allowancePath).ReadSectionKeys(language))
        keys.insert(Lower(key));
    return keys;
}

QStringList TLanguageFileCheck::Problems(const QString &path) const
{
    QStringList problems;
    if (!IsUtf8(path))
        return {path + ": not readable as UTF-8"};
    const TIniFile english(EnglishPath);
    const TIniFile file(path);
    const bool isEnglish = QFileInfo(path).canonicalFilePath() == QFileInfo(EnglishPath).canonicalFilePath();
    QSet<QString> same = SameAsEnglish;
    if (isEnglish) {
        for (const char *section : {TLanguage::TranslationsSection, TLanguage::MessagesSection})
            for (const QString &key : english.ReadSectionKeys(section))
                same.insert(Lower(key));
    }
    for (const char *section : {TLanguage::TranslationsSection, TLanguage::MessagesSection})
        CheckSection(english, file, section, same, problems);
    CheckMnemonics(file, MenuGroups, problems);
    const QString help = file.ReadString(TLanguage::MessagesSection, QStringLiteral("HelpFile"));
    if (!help.isEmpty() && !QFileInfo(QFileInfo(path).dir().filePath(help)).isFile())
        problems << "[Messages] HelpFile: " + help + " is not beside the language file";
    return problems;
}
