#include "KeyValueList.h"

#include "FileWriter.h"
#include "TextFile.h"

#include <stdexcept>

void TKeyValueList::LoadFromFile(const QString &path)
{
    mLines = SplitLines(ReadTextFile(path));
}

void TKeyValueList::SaveToFile(const QString &path, LineEnd lineEnd) const
{
    const QString eol = lineEnd == LineEnd::CrLf ? QStringLiteral("\r\n") : QStringLiteral("\n");
    QString text;
    for (const QString &line : mLines)
        text += line + eol;
    WriteTextFileAtomic(path, text);
}

QString TKeyValueList::KeyOf(const QString &line)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? QString() : line.left(eq);
}

int TKeyValueList::IndexOfKey(const QString &key) const
{
    for (int i = 0; i < mLines.size(); ++i) {
        const QString &line = mLines.at(i);
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq >= 0 && QStringView(line).left(eq).compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString TKeyValueList::Value(const QString &key) const
{
    const int i = IndexOfKey(key);
    if (i < 0)
        return {};
    const QString &line = mLines.at(i);
    return line.mid(line.indexOf(QLatin1Char('=')) + 1);
}

void TKeyValueList::SetValue(const QString &key, const QString &value)
{
    if (HasLineBreakOrControl(key) || HasLineBreakOrControl(value) || key.contains(QLatin1Char('=')))
        throw std::invalid_argument("A setting cannot hold a line break or a control character.");
    const int i = IndexOfKey(key);
    if (value.isEmpty()) {
        if (i >= 0) {
            mLines.removeAt(i);
            mOnChanged.Call(key);
        }
        return;
    }
    const QString line = key + QLatin1Char('=') + value;
    if (i >= 0 && mLines[i] == line)
        return;
    if (i >= 0)
        mLines[i] = line;
    else
        mLines.append(line);
    mOnChanged.Call(key);
}
