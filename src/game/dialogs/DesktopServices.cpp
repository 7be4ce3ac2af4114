#include "game/dialogs/DesktopServices.h"

#include "base/FileNames.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

bool TSystemDesktopServices::OpenFile(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QString HelpFilePath(const QString &programDir, const QString &name)
{
    const QString path = FindEntryNoCase(programDir, BareFileName(name));
    return !path.isEmpty() && QFileInfo(path).isFile() ? path : QString();
}
