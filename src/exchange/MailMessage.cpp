#include "MailMessage.h"

#include "exchange/MailError.h"
#include "exchange/MailMessageEncoder.h"
#include "exchange/PrivateTempFolder.h"

#include <QBuffer>

void TMailMessage::SaveToFile(const QString &path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    SaveToStream(buffer);
    buffer.close();
    WriteFileNoFollow(path, bytes);
}

void TMailMessage::SaveToStream(QIODevice &stream)
{
    if (!stream.isSequential() && !stream.seek(0))
        throw EMailError(QStringLiteral("Cannot write the message: the stream cannot go to its start."));
    TMailMessageEncoder(*this, stream).Encode();
}
