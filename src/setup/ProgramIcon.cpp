#include "setup/ProgramIcon.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

// "48x48" names the size of the icons in that folder; nothing else does.
QSize SizeOfFolder(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,4})x(\\d{1,4})$"));
    const QRegularExpressionMatch match = pattern.match(name);
    return match.hasMatch() ? QSize(match.captured(1).toInt(), match.captured(2).toInt()) : QSize();
}

} // namespace

QIcon LoadProgramIcon(const QString &programDir)
{
    QIcon icon;
    const QDir sizes(programDir + QLatin1String("/icons/hicolor"));
    for (const QString &size : sizes.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString file = sizes.filePath(size + QLatin1String("/apps/snapstorm.png"));
        // With its size known, a file is only read once that size is drawn.
        if (QFileInfo(file).isFile())
            icon.addFile(file, SizeOfFolder(size));
    }
    return icon;
}
