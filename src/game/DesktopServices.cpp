#include "DesktopServices.h"

#include <QDesktopServices>
#include <QUrl>

void TSystemDesktopServices::OpenFile(const QString &path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
