#pragma once

#include "base/IniFile.h"
#include "lang/MessageLookup.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <stdexcept>

// Raised when a translation for a number property is not a whole number.
class EConversionError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Translates the captions of the program's windows from a language file, an
// ini file with the sections "Translations" (property path = text) and
// "Messages" (key = text). Every call sees the file as it is now, so a
// changed or replaced file takes effect at once; its text is parsed again
// only when it has changed.
class TLanguage : public QObject
{
    Q_OBJECT

public:
    using TNotifyEvent = std::function<void(TLanguage &sender)>;
    // Called before each property is set; may replace `newValue`.
    using TLanguageNotifyEvent =
        std::function<void(TLanguage &sender, QObject *component, const QString &propertyName,
                           const QString &oldValue, QString &newValue)>;

    static constexpr const char *TranslationsSection = "Translations";
    static constexpr const char *MessagesSection = ::MessagesSection;

    explicit TLanguage(QObject *parent = nullptr);

    const QString &LanguageFile() const { return mFile.Path(); }
    void SetLanguageFile(const QString &path) { mFile = TIniFile(path); }

    // Paths such as "MainForm.Game1.Caption", one per entry.
    const QStringList &Properties() const { return mProperties; }
    void SetProperties(const QStringList &paths) { mProperties = paths; }

    // Item separator for list properties; a blank value stores ",".
    const QString &Separator() const { return mSeparator; }
    void SetSeparator(const QString &separator);

    const TNotifyEvent &OnBeforeTranslation() const { return mOnBeforeTranslation; }
    void SetOnBeforeTranslation(TNotifyEvent handler) { mOnBeforeTranslation = std::move(handler); }
    const TNotifyEvent &OnAfterTranslation() const { return mOnAfterTranslation; }
    void SetOnAfterTranslation(TNotifyEvent handler) { mOnAfterTranslation = std::move(handler); }
    const TLanguageNotifyEvent &OnTranslate() const { return mOnTranslate; }
    void SetOnTranslate(TLanguageNotifyEvent handler) { mOnTranslate = std::move(handler); }

    // Applies the language file to every path in Properties. A bad number
    // throws EConversionError and leaves the entries before it applied.
    void Translate();
    // The stored language file `fileName` of `folder` set and applied; one
    // that cannot be applied leaves the captions as they were.
    void ApplyStored(const QString &folder, const QString &fileName);
    // Applies only the paths of the window `objectName` ("Name.Child.Caption"),
    // for a window built after the rest was translated; no handlers run
    // but OnTranslate.
    void TranslateWindow(const QString &objectName);
    // The text of `key` in "Messages", or the key itself when there is none.
    QString LookupMessage(const QString &key) const;
    // LookupMessage as a function for code without windows; it follows
    // later changes of the language file.
    TMessageLookup Messages() const
    {
        return [this](const QString &key) { return LookupMessage(key); };
    }

    // Writes `text` into the property that `path` names; an empty text,
    // an unknown object or an unknown property changes nothing.
    void ApplyTranslation(const QString &path, const QString &text);

    // Splits a list text at `separator`: every part before a separator is
    // an item (trimmed, possibly empty); the trimmed rest is a last item
    // only when it is not empty.
    static QStringList SplitItems(const QString &text, const QString &separator);
    // A whole number in 32 bits, or EConversionError.
    static int32_t ToInteger(const QString &text);

    // The language file `name` + ".lng" in `folder`, whatever the letter
    // case of the file on disk.
    static QString LanguageFilePath(const QString &folder, const QString &name);
    // The stored language file `fileName` (e.g. "DEUTSCH.LNG") in `folder`,
    // by its bare name and whatever its letter case; "english.lng" when it
    // is empty or gone, so texts never fall back to their raw keys.
    static QString StoredLanguageFilePath(const QString &folder, const QString &fileName);

private:
    void ApplyPaths(const QStringList &paths);

    TIniFile mFile{QString()};
    QStringList mProperties;
    QString mSeparator;
    TNotifyEvent mOnBeforeTranslation;
    TNotifyEvent mOnAfterTranslation;
    TLanguageNotifyEvent mOnTranslate;
};
