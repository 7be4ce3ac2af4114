#include "editor/DesignExchange.h"

#include "base/KeyValueList.h"
#include "editor/DesignEditor.h"
#include "editor/EditorPrompts.h"
#include "exchange/DesignArchive.h"


#include <QDir>
#include <QFileInfo>

TDesignExchange::TDesignExchange(TDesignEditor &editor, TEditorPrompts &prompts, TMessageLookup messages,
                                 TKeyValueList &settings)
    : mEditor(editor), mPrompts(prompts), mMessages(std::move(messages)), mSettings(settings)
{
}

void TDesignExchange::RememberFolder(const QString &file)
{
    mSettings.SetValue(QLatin1String(DirKey), QFileInfo(file).absolutePath() + QLatin1Char('/'));
}

bool TDesignExchange::SaveAsZip(const TShowFolder &showFolder)
{
    const TGamePar &design = mEditor.EditedDesign();
    const QString path =
        mPrompts.ChooseArchive(mSettings.Value(QLatin1String(DirKey)), design.DesignName(), true);
    if (path.isEmpty())
        return false;
    {
        TBusy busy(mPrompts);
        PackDesignFolder(design.DesignDir(), path);
    }
    RememberFolder(path);
    const QString about = QStringLiteral("\"%1\"\r\n").arg(QDir::toNativeSeparators(path));
    if (!mPrompts.Ask(about + mMessages(QStringLiteral("ZipSaved"))))
        return true;
    showFolder(QFileInfo(path).absolutePath(), mMessages(QStringLiteral("FolderNotShown")),
               QDir::toNativeSeparators(path));
    return true;
}

bool TDesignExchange::ImportFromZip()
{
    const QString path = mPrompts.ChooseArchive(mSettings.Value(QLatin1String(DirKey)), QString(), false);
    if (path.isEmpty())
        return false;
    if (!ImportDesignZip(path, mMessages, mPrompts, mEditor.EditedDesign().RootDir()))
        return false;
    RememberFolder(path);
    TBusy busy(mPrompts);
    // Unsaved changes of the design open before are dropped, as the user
    // chose to replace it.
    mEditor.Load(DesignNameOfArchive(path));
    mEditor.SetModified(false);
    return true;
}
