#include "game/dialogs/DesktopServices.h"

#include "base/FileNames.h"

#include <QFileInfo>

QString HelpFilePath(const QString &programDir, const QString &name)
{
    const QString path = FindEntryNoCase(programDir, BareFileName(name));
    return !path.isEmpty() && QFileInfo(path).isFile() ? path : QString();
}
