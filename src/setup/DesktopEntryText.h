#pragma once

#include <QString>
#include <QStringList>

// Escaping rules of freedesktop desktop entries.

// A value of type string: backslash, line breaks and tabs escaped, a
// leading blank kept as "\s".
QString EscapeEntryValue(const QString &value);
// One argument of an Exec line: "%" doubled, and the whole argument put in
// double quotes when it holds a blank or another reserved character.
QString QuoteExecArgument(const QString &argument);
// The Exec value for a program and its arguments, ready for EscapeEntryValue.
QString ExecCommand(const QString &program, const QStringList &arguments);
