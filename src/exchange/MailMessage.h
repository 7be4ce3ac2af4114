#pragma once

#include "exchange/ContentType.h"
#include "exchange/HeaderLines.h"
#include "exchange/MailAddress.h"
#include "exchange/MailAddressList.h"
#include "exchange/MailAttList.h"

#include <QString>
#include <QStringList>

class QIODevice;

enum TMailEncoding { meMIME, meUU };
enum TMailCharSet { csUSASCII, csISO8859, csISO2022jp };
enum TMailPriority { ptLow, ptNormal, ptHigh };

// A mail message held in memory: addresses, subject, extra header lines and
// attached files, written out as a MIME message by TMailMessageEncoder.
class TMailMessage
{
public:
    explicit TMailMessage(TContentTypeLookup lookup = ContentTypeFor) : mAttachments(std::move(lookup)) {}

    TMailAttList &Attachments() { return mAttachments; }
    const TMailAttList &Attachments() const { return mAttachments; }
    // Kept in lower case; recomputed whenever the message is written.
    const QString &ContentType() const { return mContentType; }
    void SetContentType(const QString &type) { mContentType = MailShortString(type).toLower(); }
    TMailEncoding Encoding() const { return mEncoding; }
    void SetEncoding(TMailEncoding encoding) { mEncoding = encoding; }
    TMailAddress &Sender() { return mSender; }
    const TMailAddress &Sender() const { return mSender; }
    const QString &Subject() const { return mSubject; }
    void SetSubject(const QString &subject) { mSubject = MailShortString(subject); }
    TMailCharSet CharSet() const { return mCharSet; }
    void SetCharSet(TMailCharSet charSet) { mCharSet = charSet; }
    THeaderLines &Headers() { return mHeaders; }
    const THeaderLines &Headers() const { return mHeaders; }
    QStringList &Body() { return mBody; }
    const QStringList &Body() const { return mBody; }
    static QString Version() { return QStringLiteral("2.02"); }

    TMailAddressList &Recipients() { return mRecipients; }
    const TMailAddressList &Recipients() const { return mRecipients; }
    TMailAddressList &CC() { return mCC; }
    const TMailAddressList &CC() const { return mCC; }
    // Never written into the message.
    TMailAddressList &BCC() { return mBCC; }
    bool ReturnReceipt() const { return mReturnReceipt; }
    void SetReturnReceipt(bool on) { mReturnReceipt = on; }
    TMailPriority Priority() const { return mPriority; }
    void SetPriority(TMailPriority priority) { mPriority = priority; }

    // Encodes the message into a new file at `path` that replaces an old one
    // only when complete; a symbolic link there is replaced, never written
    // through. EMailError on failure.
    void SaveToFile(const QString &path);
    // Encodes the message into `stream` from its start.
    void SaveToStream(QIODevice &stream);

private:
    TMailAttList mAttachments;
    QString mContentType = QStringLiteral("text/plain");
    TMailEncoding mEncoding = meMIME;
    TMailAddress mSender;
    QString mSubject;
    TMailCharSet mCharSet = csUSASCII;
    THeaderLines mHeaders;
    QStringList mBody;
    TMailAddressList mRecipients;
    TMailAddressList mCC;
    TMailAddressList mBCC;
    bool mReturnReceipt = false;
    TMailPriority mPriority = ptNormal;
};
