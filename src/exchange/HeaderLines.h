#pragma once

#include <QString>
#include <QStringList>

// Extra header lines of a message, each a whole line "Name: value"; a line
// that begins with a blank or a tab continues the one before it.
class THeaderLines
{
public:
    void Add(const QString &line) { mLines.append(line); }
    void Clear() { mLines.clear(); }
    bool Contains(const QString &line) const { return mLines.contains(line); }
    const QStringList &Lines() const { return mLines; }

    // Removes the first line of field `name` (compared ignoring case, as a
    // line that begins "name:") with its continuation lines; false when
    // there is none.
    bool RemoveField(const QString &name);

private:
    QStringList mLines;
};
