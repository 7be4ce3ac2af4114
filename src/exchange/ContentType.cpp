#include "ContentType.h"

#include <QFileInfo>
#include <QMimeDatabase>

QString ContentTypeFor(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return QString::fromLatin1(DefaultContentType);
    // Only the extension counts, never the file's contents or the rest of
    // its name, so the same name always gives the same type.
    const QList<QMimeType> types =
        QMimeDatabase().mimeTypesForFileName(QStringLiteral("x") + name.mid(dot));
    if (types.isEmpty() || !types.first().isValid())
        return QString::fromLatin1(DefaultContentType);
    return types.first().name();
}
