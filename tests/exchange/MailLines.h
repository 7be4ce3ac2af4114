#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <ostream>

inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

// The lines of a written message; a failure when any line is not ended by
// CR LF or a bare CR or LF hides inside one.
inline QStringList MailLines(const QByteArray &bytes)
{
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    QStringList lines = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"));
    lines.removeLast();
    for (const QString &line : lines)
        EXPECT_FALSE(line.contains(QLatin1Char('\r')) || line.contains(QLatin1Char('\n'))) << line.toStdString();
    return lines;
}

// The bytes of base64 lines, each checked to be at most 76 characters.
inline QByteArray DecodeBase64Lines(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        EXPECT_LE(line.size(), 76);
        bytes += QByteArray::fromBase64(line.toLatin1());
    }
    return bytes;
}
