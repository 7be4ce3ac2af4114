#include "MailMessage.h"

#include "base/FileWriter.h"
#include "exchange/MailError.h"
#include "exchange/MailMessageEncoder.h"

#include <QBuffer>

void TMailMessage::SaveToFile(const QString &path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    SaveToStream(buffer);
    buffer.close();
    // Renamed over the path: a link planted there is replaced, never written through.
    try {
        WriteFileAtomic(path, bytes);
    } catch (const EWriteError &e) {
        throw EMailError(QString::fromUtf8(e.what()));
    }
}

void TMailMessage::SaveToStream(QIODevice &stream)
{
    if (!stream.isSequential() && !stream.seek(0))
        throw EMailError(QStringLiteral("Cannot write the message: the stream cannot go to its start."));
    TMailMessageEncoder(*this, stream).Encode();
}
