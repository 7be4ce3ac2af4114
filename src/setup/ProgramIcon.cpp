#include "setup/ProgramIcon.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

// What title bars, task bars and switchers draw; the larger files are there
// for the desktop's icon theme, which reads them from disk itself.
constexpr int kLargestWindowIcon = 128;

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
        const QSize side = SizeOfFolder(size);
        if (side.width() > kLargestWindowIcon || side.height() > kLargestWindowIcon)
            continue;
        if (QFileInfo(file).isFile())
            icon.addFile(file, side);
    }
    return icon;
}
