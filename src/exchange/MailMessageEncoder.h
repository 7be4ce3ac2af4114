#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;
class TMailAddress;
class TMailAddressList;
class TMailAttItem;
class TMailMessage;

// Writes one message as MIME text, every line ended by CR LF. Only the
// layouts the program sends are built: one attachment as the whole message,
// or attachments as the parts of a multipart/alternative message, each in
// base64. Anything else raises EMailError before a byte is written.
class TMailMessageEncoder
{
public:
    // Labels are padded with blanks to this width; continuation lines
    // begin with as many blanks.
    static constexpr int LabelWidth = 10;
    // Bytes per base64 line: 57 bytes make 76 characters.
    static constexpr int Base64Block = 57;

    // Writing removes the fields the encoder writes itself from the
    // message's extra header lines and stores the content type it chose.
    TMailMessageEncoder(TMailMessage &message, QIODevice &out);

    void Encode();

    // The message's content type by the first of these rules that applies.
    static QString ContentTypeOf(const TMailMessage &message);
    // Eight decimal digits, each 0 to 8.
    static QString NewBoundary();

private:
    void CheckSupported(const QString &contentType) const;
    void WriteHeaderBlock();
    void WriteAddressField(const char *label, const TMailAddressList &list);
    void WriteExtraHeaders();
    void WriteSingleAttachment(const TMailAttItem &item);
    void WriteAlternative();
    void WriteBase64(const QByteArray &data);
    void WriteLine(const QString &line);

    TMailMessage &mMessage;
    QIODevice &mOut;
};
