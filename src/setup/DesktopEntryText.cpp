#include "setup/DesktopEntryText.h"

#include <algorithm>

QString EscapeEntryValue(const QString &value)
{
    QString out;
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '\\': out += QLatin1String("\\\\"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        case '\t': out += QLatin1String("\\t"); break;
        default: out += c;
        }
    }
    if (out.startsWith(QLatin1Char(' ')))
        out.replace(0, 1, QLatin1String("\\s"));
    return out;
}

QString QuoteExecArgument(const QString &argument)
{
    static const QString reserved = QStringLiteral(" \t\n\r\"'\\><~|&;$*?#()`");
    QString arg = argument;
    arg.replace(QLatin1Char('%'), QLatin1String("%%"));
    const bool needsQuotes =
        arg.isEmpty() || std::any_of(arg.begin(), arg.end(), [](QChar c) { return reserved.contains(c); });
    if (!needsQuotes)
        return arg;
    QString quoted = QStringLiteral("\"");
    for (const QChar c : arg) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    return quoted + QLatin1Char('"');
}

QString ExecCommand(const QString &program, const QStringList &arguments)
{
    QStringList parts{QuoteExecArgument(program)};
    for (const QString &argument : arguments)
        parts << QuoteExecArgument(argument);
    return parts.join(QLatin1Char(' '));
}
