#include "setup/ProgramIcon.h"

#include <QDir>
#include <QFileInfo>

QIcon LoadProgramIcon(const QString &programDir)
{
    QIcon icon;
    const QDir sizes(programDir + QLatin1String("/icons/hicolor"));
    for (const QString &size : sizes.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString file = sizes.filePath(size + QLatin1String("/apps/snapstorm.png"));
        if (QFileInfo(file).isFile())
            icon.addFile(file);
    }
    return icon;
}
