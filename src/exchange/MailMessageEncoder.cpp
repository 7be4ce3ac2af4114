#include "MailMessageEncoder.h"

#include "exchange/MailError.h"
#include "exchange/MailMessage.h"

#include <QFileInfo>
#include <QIODevice>

#include <random>

namespace {

const char *const OwnFields[] = {"From", "To", "CC", "BCC", "Return-Receipt-To", "X-Priority",
                                 "Subject", "Mime-Version", "Content-Type", "X-Encoding",
                                 "Content-Transfer-Encoding"};

QString Label(const char *label)
{
    return QString::fromLatin1(label).leftJustified(TMailMessageEncoder::LabelWidth, QLatin1Char(' '));
}

// A name with a dot would otherwise read as several words to a mail reader.
QString Mailbox(const TMailAddress &address)
{
    QString name = address.Name();
    if (name.contains(QLatin1Char('.')) && !name.contains(QLatin1Char('"')))
        name = QLatin1Char('"') + name + QLatin1Char('"');
    return name + QStringLiteral(" <") + address.Address() + QLatin1Char('>');
}

// A file name inside double quotes, with the characters that would end the
// quotes early escaped.
QString Quoted(QString text)
{
    text.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('"'), QStringLiteral("\\\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

bool IsAltPart(const TMailAttItem &item)
{
    return item.FileName().toLower().startsWith(QLatin1String("_alt."));
}

} // namespace

TMailMessageEncoder::TMailMessageEncoder(TMailMessage &message, QIODevice &out)
    : mMessage(message), mOut(out)
{
}

QString TMailMessageEncoder::ContentTypeOf(const TMailMessage &message)
{
    const TMailAttList &atts = message.Attachments();
    bool allAlt = !atts.IsEmpty();
    for (int i = 0; i < atts.Count(); ++i)
        allAlt = allAlt && IsAltPart(atts.At(i));
    if (allAlt)
        return QStringLiteral("multipart/alternative");
    if (!message.Body().isEmpty()) {
        if (!atts.IsEmpty())
            return QStringLiteral("multipart/mixed");
        return message.ContentType().isEmpty() ? QStringLiteral("text/plain") : message.ContentType();
    }
    if (atts.Count() == 1) {
        const QString name = atts.At(0).FileName().toLower();
        if (name == QLatin1String("_rtfbody.rtf"))
            return QStringLiteral("text/rtf");
        if (name == QLatin1String("_htmbody.htm"))
            return QStringLiteral("text/html");
        return atts.At(0).ContentType();
    }
    return atts.IsEmpty() ? QStringLiteral("text/plain") : QStringLiteral("multipart/mixed");
}

QString TMailMessageEncoder::NewBoundary()
{
    // A generator of its own: drawing here must not shift the game's sequence.
    static thread_local std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<int> digit(0, 8);
    QString boundary;
    for (int i = 0; i < 8; ++i)
        boundary += QChar(u'0' + digit(generator));
    return boundary;
}

void TMailMessageEncoder::Encode()
{
    const QString contentType = ContentTypeOf(mMessage);
    CheckSupported(contentType);
    mMessage.SetContentType(contentType);
    WriteHeaderBlock();
    if (contentType == QLatin1String("multipart/alternative"))
        WriteAlternative();
    else
        WriteSingleAttachment(mMessage.Attachments().At(0));
}

// Text bodies, multipart/mixed, uuencoding and the quoted-printable and
// 7 bit encodings are never sent by this program, so they are not built.
void TMailMessageEncoder::CheckSupported(const QString &contentType) const
{
    const TMailAttList &atts = mMessage.Attachments();
    bool supported = mMessage.Encoding() == meMIME && mMessage.Body().isEmpty() && !atts.IsEmpty();
    if (contentType != QLatin1String("multipart/alternative"))
        supported = supported && atts.Count() == 1 && !contentType.startsWith(QLatin1String("multipart/"))
                    && contentType != QLatin1String("text/html") && contentType != QLatin1String("text/rtf");
    for (int i = 0; i < atts.Count(); ++i)
        supported = supported && atts.At(i).Encoding() == teBase64;
    if (!supported)
        throw EMailError(QStringLiteral("This kind of mail message (%1) cannot be written.").arg(contentType));
}

void TMailMessageEncoder::WriteHeaderBlock()
{
    WriteLine(Label("From:") + Mailbox(mMessage.Sender()));
    WriteAddressField("To:", mMessage.Recipients());
    WriteAddressField("CC:", mMessage.CC());
    if (mMessage.ReturnReceipt())
        WriteLine(QStringLiteral("Return-Receipt-To: <") + mMessage.Sender().Address() + QLatin1Char('>'));
    if (mMessage.Priority() == ptHigh)
        WriteLine(QStringLiteral("X-Priority: 1"));
    else if (mMessage.Priority() == ptLow)
        WriteLine(QStringLiteral("X-Priority: 5"));
    WriteExtraHeaders();
    if (!mMessage.Subject().isEmpty())
        WriteLine(QStringLiteral("Subject: ") + mMessage.Subject());
    WriteLine(QStringLiteral("Mime-Version: 1.0"));
}

void TMailMessageEncoder::WriteAddressField(const char *label, const TMailAddressList &list)
{
    for (int i = 0; i < list.Count(); ++i) {
        const QString lead = i == 0 ? Label(label) : QString(LabelWidth, QLatin1Char(' '));
        const QString comma = i + 1 < list.Count() ? QStringLiteral(",") : QString();
        WriteLine(lead + Mailbox(list.At(i)) + comma);
    }
}

void TMailMessageEncoder::WriteExtraHeaders()
{
    THeaderLines &headers = mMessage.Headers();
    for (const char *field : OwnFields)
        headers.RemoveField(QString::fromLatin1(field));
    for (const QString &line : headers.Lines())
        WriteLine(line);
}

void TMailMessageEncoder::WriteSingleAttachment(const TMailAttItem &item)
{
    const QString name = Quoted(item.FileName());
    WriteLine(QStringLiteral("Content-Type: ") + item.ContentType() + QStringLiteral("; name=") + name);
    WriteLine(QStringLiteral("Content-Transfer-Encoding: ") + TransferEncodingName(item.Encoding()));
    WriteLine(QStringLiteral("Content-Disposition: attachment; filename=") + name);
    WriteLine(QString());
    WriteBase64(item.Data());
}

void TMailMessageEncoder::WriteAlternative()
{
    const QString boundary = NewBoundary();
    const QString delimiter = QStringLiteral("--") + boundary;
    WriteLine(QStringLiteral("Content-Type: multipart/alternative; boundary=") + Quoted(boundary));
    WriteLine(QString());
    WriteLine(QStringLiteral("This is a multipart message in MIME format"));
    WriteLine(QString());
    WriteLine(delimiter);
    const TMailAttList &atts = mMessage.Attachments();
    for (int i = 0; i < atts.Count(); ++i) {
        if (i > 0) {
            WriteLine(QString());
            WriteLine(delimiter);
        }
        WriteLine(QStringLiteral("Content-Type: ") + atts.At(i).ContentType());
        WriteLine(QStringLiteral("Content-Transfer-Encoding: ") + TransferEncodingName(atts.At(i).Encoding()));
        WriteLine(QString());
        WriteBase64(atts.At(i).Data());
        WriteLine(QString());
    }
    WriteLine(delimiter + QStringLiteral("--"));
}

// One line per block of 57 bytes; the block after the last full one is
// written too, so a size that is a multiple of 57 ends with an empty line.
void TMailMessageEncoder::WriteBase64(const QByteArray &data)
{
    for (qsizetype pos = 0;; pos += Base64Block) {
        const QByteArray block = data.mid(pos, Base64Block);
        WriteLine(QString::fromLatin1(block.toBase64()));
        if (block.size() < Base64Block)
            break;
    }
}

void TMailMessageEncoder::WriteLine(const QString &line)
{
    // A lone dot would end the message for a mail server.
    if (line == QLatin1String("."))
        return;
    const QByteArray bytes = line.toUtf8() + "\r\n";
    if (mOut.write(bytes) != bytes.size())
        throw EMailError(QStringLiteral("Cannot write the message: %1").arg(mOut.errorString()));
}
