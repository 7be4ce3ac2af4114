#include "MailAttItem.h"

#include "base/TextFile.h"
#include "exchange/MailError.h"

#include <QFileInfo>

#include <optional>

QString TransferEncodingName(TMailTransferEncoding encoding)
{
    switch (encoding) {
    case te7Bit:
        return QStringLiteral("7 bit");
    case teBase64:
        return QStringLiteral("Base64");
    case teQuotedPrintable:
        return QStringLiteral("Quoted-Printable");
    }
    return QString();
}

TMailTransferEncoding TransferEncodingFor(const QString &contentType)
{
    const QString type = contentType.toUpper();
    if (type == QLatin1String("TEXT/PLAIN") || type == QLatin1String("TEXT/RTF")
        || type == QLatin1String("TEXT/HTML"))
        return teQuotedPrintable;
    if (type == QLatin1String("MESSAGE/RFC822"))
        return te7Bit;
    return teBase64;
}

TMailAttItem::TMailAttItem(const QString &path, const TContentTypeLookup &lookup)
    : mPath(path)
{
    std::optional<QByteArray> bytes = ReadRegularFile(path, MaxSize);
    if (!bytes)
        throw EMailError(QStringLiteral("Cannot attach \"%1\": the file is missing, unreadable or too large.")
                             .arg(path));
    mData = std::move(*bytes);
    mContentType = lookup ? lookup(path).toLower() : QString();
    if (mContentType.isEmpty())
        mContentType = QString::fromLatin1(DefaultContentType);
    mEncoding = TransferEncodingFor(mContentType);
}

QString TMailAttItem::FileName() const
{
    return QFileInfo(mPath).fileName();
}
