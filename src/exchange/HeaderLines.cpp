#include "HeaderLines.h"

namespace {

bool IsContinuation(const QString &line)
{
    return line.startsWith(QLatin1Char(' ')) || line.startsWith(QLatin1Char('\t'));
}

} // namespace

bool THeaderLines::RemoveField(const QString &name)
{
    const QString label = name + QLatin1Char(':');
    for (qsizetype i = 0; i < mLines.size(); ++i) {
        if (!mLines.at(i).startsWith(label, Qt::CaseInsensitive))
            continue;
        mLines.removeAt(i);
        while (i < mLines.size() && IsContinuation(mLines.at(i)))
            mLines.removeAt(i);
        return true;
    }
    return false;
}
