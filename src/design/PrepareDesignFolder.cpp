#include "design/PrepareDesignFolder.h"

#include "base/FileNames.h"
#include "lang/Language.h"

#include <QFileInfo>

namespace {

bool IsUsableFolderName(const QString &name)
{
    return !name.startsWith(QLatin1Char('.')) && !name.contains(QLatin1Char('/'))
           && !name.contains(QLatin1Char('\\')) && !name.contains(QChar(0));
}

} // namespace

bool PrepareDesignFolder(const QString &name, const TLanguage &language, TDesignPrompts &prompts,
                         const QString &rootDir)
{
    if (IsDefaultDesignName(name)) {
        prompts.Message(language.LookupMessage(QStringLiteral("CannotsavetoDefault")));
        return false;
    }
    if (!IsUsableFolderName(name))
        throw EDesignError(QStringLiteral("\"%1\" cannot be the name of a design: it must not begin "
                                          "with a dot or hold a slash or backslash.")
                               .arg(name));
    if (FindEntryNoCase(WithTrailingSlash(rootDir), name).isEmpty())
        return true;
    const QString text = language.LookupMessage(QStringLiteral("Override Design"))
                         + QStringLiteral("\n\"%1\"").arg(name);
    return prompts.Question(text) == TDesignPrompts::TAnswer::Yes;
}
