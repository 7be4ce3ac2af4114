#pragma once

#include <QHash>
#include <QSet>
#include <QString>

// The names in one folder, read once and looked up without regard to
// letter case. Loading a design asks for dozens of names that are often
// missing; listing the folder for each of them made large folders slow.
class TFolderIndex
{
public:
    // Lists `dir` now; a folder that cannot be read gives an empty index.
    explicit TFolderIndex(const QString &dir);

    const QString &Dir() const { return mDir; }
    // The path of the entry named `name` in any case, the exact name
    // preferred; among other spellings the one first in code-unit order,
    // so the choice never depends on the file system. Empty when none.
    QString Find(const QString &name) const;
    // Like Find, but dir/name when nothing matches.
    QString Resolve(const QString &name) const;

private:
    QString mDir;   // with its trailing slash
    QSet<QString> mNames;
    QHash<QString, QString> mByFolded;   // case-folded name -> chosen entry
};
