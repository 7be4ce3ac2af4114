#include "lang/ui/Language.h"

#include "base/FileNames.h"
#include "lang/ui/ObjectPath.h"
#include "lang/ui/PropertyAdapter.h"
#include "lang/LanguageCatalog.h"
#include "lang/QtTranslation.h"

#include <QFileInfo>

#include <limits>

TLanguage::TLanguage(QObject *parent) : QObject(parent) {}

void TLanguage::SetSeparator(const QString &separator)
{
    mSeparator = separator.trimmed().isEmpty() ? QStringLiteral(",") : separator;
}

void TLanguage::ApplyStored(const QString &folder, const QString &fileName)
{
    SetLanguageFile(StoredLanguageFilePath(folder, fileName));
    try {
        Translate();
    } catch (const std::exception &) {
    }
}

void TLanguage::Translate()
{
    if (mOnBeforeTranslation)
        mOnBeforeTranslation(*this);
    // A handler may change the list while we run; work on a copy.
    ApplyPaths(QStringList(mProperties));
    UseQtTranslation(LookupMessage(QStringLiteral("Locale")));
    if (mOnAfterTranslation)
        mOnAfterTranslation(*this);
}

void TLanguage::TranslateWindow(const QString &objectName)
{
    const QString prefix = objectName + QLatin1Char('.');
    QStringList paths;
    for (const QString &path : mProperties)
        if (path.trimmed().startsWith(prefix))
            paths.append(path);
    ApplyPaths(paths);
}

void TLanguage::ApplyPaths(const QStringList &paths)
{
    // One look at the file for all entries.
    const std::shared_ptr<const TIniContents> contents = mFile.Contents();
    const QString section = QLatin1String(TranslationsSection);
    for (const QString &path : paths) {
        if (path.trimmed().isEmpty())
            continue;
        const QString *text = contents->Value(section, path);
        ApplyTranslation(path, text ? *text : QString());
    }
}

QString TLanguage::LookupMessage(const QString &key) const
{
    return mFile.ReadString(QLatin1String(MessagesSection), key, key);
}

void TLanguage::ApplyTranslation(const QString &path, const QString &text)
{
    if (path.trimmed().isEmpty())
        return;
    const TResolvedPath target = ResolveObjectPath(path);
    // An empty translation keeps the text the window was built with.
    if (!target.Object || text.isEmpty())
        return;
    TPropertyAdapter property(target.Object, target.PropertyName);
    QString newValue = text;
    if (mOnTranslate)
        mOnTranslate(*this, target.Object, target.PropertyName, property.ReadText(), newValue);
    switch (property.Kind()) {
    case TPropertyAdapter::TKind::None:
        break;
    case TPropertyAdapter::TKind::Text:
        property.WriteText(newValue);
        break;
    case TPropertyAdapter::TKind::Integer:
        property.WriteInteger(ToInteger(newValue));
        break;
    case TPropertyAdapter::TKind::List:
        property.WriteList(SplitItems(newValue, mSeparator));
        break;
    case TPropertyAdapter::TKind::Other:
        property.WriteOther(newValue);
        break;
    }
}

QStringList TLanguage::SplitItems(const QString &text, const QString &separator)
{
    if (separator.isEmpty())
        return {text.trimmed()};
    QStringList items;
    QString rest = text;
    qsizetype at;
    while ((at = rest.indexOf(separator)) >= 0) {
        items.append(rest.left(at).trimmed());
        rest.remove(0, at + separator.size());
    }
    rest = rest.trimmed();
    if (!rest.isEmpty())
        items.append(rest);
    return items;
}

int32_t TLanguage::ToInteger(const QString &text)
{
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok, 10);
    if (!ok || value < std::numeric_limits<int32_t>::min()
        || value > std::numeric_limits<int32_t>::max()) {
        throw EConversionError(
            QStringLiteral("\"%1\" is not a valid integer value").arg(text).toStdString());
    }
    return static_cast<int32_t>(value);
}

QString TLanguage::LanguageFilePath(const QString &folder, const QString &name)
{
    return ::LanguageFilePath(folder, name);
}

QString TLanguage::StoredLanguageFilePath(const QString &folder, const QString &fileName)
{
    const QString stored = FindEntryNoCase(folder, BareFileName(fileName));
    if (!stored.isEmpty() && QFileInfo(stored).isFile())
        return stored;
    return ResolvePathNoCase(folder, QStringLiteral("english.lng"));
}
