#include "design/PrepareDesignFolder.h"

#include "base/FileNames.h"
#include "base/TextFile.h"
#include "lang/Language.h"

#include <QFileInfo>

namespace {

// The name also becomes a settings line and part of high-score lines.
bool IsUsableFolderName(const QString &name)
{
    return !name.startsWith(QLatin1Char('.')) && !name.contains(QLatin1Char('/'))
           && !name.contains(QLatin1Char('\\')) && !HasLineBreakOrControl(name);
}

} // namespace

bool PrepareDesignFolder(const QString &name, const TLanguage &language, TDesignPrompts &prompts,
                         const QString &rootDir)
{
    if (LooksLikeDefaultName(name)) {
        prompts.Error(language.LookupMessage(QStringLiteral("CannotsavetoDefault")));
        return false;
    }
    if (!IsUsableFolderName(name))
        throw EDesignError(QStringLiteral("\"%1\" cannot be the name of a design: it must not begin "
                                          "with a dot or hold a slash, a backslash, a line break or "
                                          "another control character.")
                               .arg(name.simplified()));
    const QString existing = FindEntryNoCase(WithTrailingSlash(rootDir), name);
    if (existing.isEmpty())
        return true;
    // Replacing it would write through the link into a folder elsewhere.
    if (QFileInfo(existing).isSymLink()) {
        prompts.Error(language.LookupMessage(QStringLiteral("DesignFolderIsLink")).arg(QFileInfo(existing).fileName()));
        return false;
    }
    const QString text = language.LookupMessage(QStringLiteral("Override Design"))
                         + QStringLiteral("\n\"%1\"").arg(name);
    return prompts.Question(text) == TDesignPrompts::TAnswer::Yes;
}
