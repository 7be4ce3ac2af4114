#include "exchange/ContentType.h"
#include "exchange/MailError.h"
#include "exchange/MailMessage.h"
#include "exchange/MailMessageEncoder.h"
#include "exchange/MailLines.h"
#include "support/TempDir.h"

#include <QBuffer>
#include <QRegularExpression>

namespace {

QString TestType(const QString &) { return QStringLiteral("application/x-test"); }

QStringList Write(TMailMessage &message)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    message.SaveToStream(buffer);
    return MailLines(buffer.data());
}

// The lines after the header block's empty line.
QStringList Content(const QStringList &lines)
{
    return lines.mid(lines.indexOf(QString()) + 1);
}

} // namespace

TEST(MailMessageEncoder, HeaderBlockPadsQuotesContinuesAndRemovesOwnFields)
{
    TempDir dir;
    TMailMessage message(TestType);
    message.Sender() = TMailAddress(QStringLiteral("J. Doe"), QStringLiteral("j@x.org"));
    message.Recipients().Add(QStringLiteral("Ann"), QStringLiteral("a@x.org"));
    message.Recipients().Add(QStringLiteral("\"B.C\" Roe"), QStringLiteral("b@x.org"));
    message.CC().Add(QStringLiteral("Cy"), QStringLiteral("c@x.org"));
    message.BCC().Add(QStringLiteral("Hidden"), QStringLiteral("h@x.org"));
    message.SetReturnReceipt(true);
    message.SetPriority(ptHigh);
    message.SetSubject(QStringLiteral("Design"));
    for (const char *line : {"subject: x", "  more of x", "\tand more", "X-Keep: 1", ".", "MIME-Version: 2"})
        message.Headers().Add(QString::fromLatin1(line));
    message.Attachments().Add(dir.Write(QStringLiteral("a.bin"), "abc"));

    const QStringList lines = Write(message);
    const QStringList expected = {
        QStringLiteral("From:     \"J. Doe\" <j@x.org>"),
        QStringLiteral("To:       Ann <a@x.org>,"),
        QStringLiteral("          \"B.C\" Roe <b@x.org>"),
        QStringLiteral("CC:       Cy <c@x.org>"),
        QStringLiteral("Return-Receipt-To: <j@x.org>"),
        QStringLiteral("X-Priority: 1"),
        QStringLiteral("X-Keep: 1"),
        QStringLiteral("Subject: Design"),
        QStringLiteral("Mime-Version: 1.0"),
        QStringLiteral("Content-Type: application/x-test; name=\"a.bin\""),
        QStringLiteral("Content-Transfer-Encoding: Base64"),
        QStringLiteral("Content-Disposition: attachment; filename=\"a.bin\""),
        QString(),
        QStringLiteral("YWJj"),
    };
    EXPECT_EQ(lines, expected);
    // The fields the encoder writes itself are gone for the next write too.
    EXPECT_EQ(message.Headers().Lines(), QStringList({QStringLiteral("X-Keep: 1"), QStringLiteral(".")}));
    EXPECT_EQ(message.ContentType(), QStringLiteral("application/x-test"));
}

TEST(MailMessageEncoder, Base64TakesBlocksOf57BytesAndEndsWithTheShortOrEmptyBlock)
{
    TempDir dir;
    for (const int size : {0, 58, 57 * 3}) {
        QByteArray data;
        for (int i = 0; i < size; ++i)
            data += char(i * 7);
        TMailMessage message(TestType);
        message.Attachments().Add(dir.Write(QStringLiteral("d%1.bin").arg(size), data));
        const QStringList content = Content(Write(message));
        EXPECT_EQ(content.size(), size / 57 + 1) << size;
        EXPECT_EQ(content.first().size(), size == 0 ? 0 : 76) << size;
        EXPECT_EQ(content.last().isEmpty(), size % 57 == 0) << size;
        EXPECT_EQ(DecodeBase64Lines(content), data) << size;
    }
}

TEST(MailMessageEncoder, AltNamedFilesMakeAnAlternativeMessageWithoutNameParameters)
{
    TempDir dir;
    TMailMessage message(TestType);
    message.Attachments().Add(dir.Write(QStringLiteral("_ALT.zip"), "abc"));
    message.Attachments().Add(dir.Write(QStringLiteral("_alt.b"), "xyz"));
    const QStringList lines = Write(message);

    const QRegularExpressionMatch boundary =
        QRegularExpression(QStringLiteral("^Content-Type: multipart/alternative; boundary=\"([0-8]{8})\"$"))
            .match(lines.value(2));
    ASSERT_TRUE(boundary.hasMatch()) << lines.value(2).toStdString();
    const QString delimiter = QStringLiteral("--") + boundary.captured(1);
    const QStringList expected = {
        QString(), QStringLiteral("This is a multipart message in MIME format"), QString(), delimiter,
        QStringLiteral("Content-Type: application/x-test"), QStringLiteral("Content-Transfer-Encoding: Base64"),
        QString(), QStringLiteral("YWJj"), QString(),
        QString(), delimiter,
        QStringLiteral("Content-Type: application/x-test"), QStringLiteral("Content-Transfer-Encoding: Base64"),
        QString(), QStringLiteral("eHl6"), QString(),
        delimiter + QStringLiteral("--"),
    };
    EXPECT_EQ(lines.mid(3), expected);
    EXPECT_EQ(message.ContentType(), QStringLiteral("multipart/alternative"));
}

TEST(MailMessageEncoder, ContentTypeComesFromTheExtensionElseOctetStream)
{
    EXPECT_EQ(ContentTypeFor(QStringLiteral("/d/Sea.zip")), QStringLiteral("application/zip"));
    EXPECT_EQ(ContentTypeFor(QStringLiteral("/d/Sea.unknownext")), QStringLiteral("application/octet-stream"));
    EXPECT_EQ(ContentTypeFor(QStringLiteral("/d.zip/Sea")), QStringLiteral("application/octet-stream"));

    TempDir dir;
    TMailMessage message([](const QString &) { return QString(); });
    message.Attachments().Add(dir.Write(QStringLiteral("Sea.zip"), "PK"));
    EXPECT_EQ(Write(message).value(2), QStringLiteral("Content-Type: application/octet-stream; name=\"Sea.zip\""));
}

TEST(MailMessageEncoder, LayoutsThisProgramNeverSendsAreRefusedBeforeWriting)
{
    TempDir dir;
    TMailMessage empty(TestType);
    TMailMessage withBody(TestType);
    withBody.Body() << QStringLiteral("hello");
    withBody.Attachments().Add(dir.Write(QStringLiteral("a.bin"), "a"));
    TMailMessage text(ContentTypeFor);
    text.Attachments().Add(dir.Write(QStringLiteral("a.txt"), "a"));
    for (TMailMessage *message : {&empty, &withBody, &text}) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        EXPECT_THROW(message->SaveToStream(buffer), EMailError);
        EXPECT_TRUE(buffer.data().isEmpty());
    }
    EXPECT_THROW(empty.Attachments().Add(dir.File(QStringLiteral("missing.zip"))), EMailError);
    EXPECT_TRUE(empty.Attachments().IsEmpty());
}
