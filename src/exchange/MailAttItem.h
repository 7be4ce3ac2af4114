#pragma once

#include "exchange/ContentType.h"

#include <QByteArray>
#include <QString>

// How an attachment's bytes travel in the message; the values index the
// names TransferEncodingName gives.
enum TMailTransferEncoding { te7Bit = 0, teBase64 = 1, teQuotedPrintable = 2 };

// "7 bit", "Base64", "Quoted-Printable": written exactly so.
QString TransferEncodingName(TMailTransferEncoding encoding);
// Text types travel quoted-printable, a whole message 7 bit, the rest base64.
TMailTransferEncoding TransferEncodingFor(const QString &contentType);

// One file carried by a message, read whole when the item is made.
class TMailAttItem
{
public:
    // Attachments larger than this are refused rather than read.
    static constexpr qint64 MaxSize = 256 * 1024 * 1024;

    // Reads the file at `path`; EMailError when it is missing, not a
    // regular file, unreadable or too large. An empty type from `lookup`
    // counts as "application/octet-stream".
    TMailAttItem(const QString &path, const TContentTypeLookup &lookup);

    const QString &Path() const { return mPath; }
    // The name without its folder, as the message shows it.
    QString FileName() const;
    const QByteArray &Data() const { return mData; }
    const QString &ContentType() const { return mContentType; }
    TMailTransferEncoding Encoding() const { return mEncoding; }

private:
    QString mPath;
    QByteArray mData;
    QString mContentType;
    TMailTransferEncoding mEncoding = teBase64;
};
