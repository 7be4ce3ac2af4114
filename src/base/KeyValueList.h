#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// A plain list of "key=value" lines, as the settings file and a design's
// key list store them. Keys match without regard to case and without
// trimming; the first line that carries a key wins; lines that are not
// understood stay where they are.
class TKeyValueList
{
public:
    enum class LineEnd { Lf, CrLf };

    TKeyValueList() = default;
    explicit TKeyValueList(QStringList lines) : mLines(std::move(lines)) {}

    // A missing or unreadable file gives an empty list.
    void LoadFromFile(const QString &path);
    // Replaces the file only once the new text is complete on disk, so a
    // crash or a full disk never leaves half a file. Returns false on failure.
    // EWriteError when the file cannot be written; the old one then stays.
    void SaveToFile(const QString &path, LineEnd lineEnd = LineEnd::Lf) const;

    QString Value(const QString &key) const;
    // An empty value deletes the key's line; otherwise the first line is
    // replaced in place or a new line is appended. A key or value holding a
    // line break or other control character (or a key holding "=") would
    // forge or break lines: it throws std::invalid_argument.
    void SetValue(const QString &key, const QString &value);
    int IndexOfKey(const QString &key) const;

    QStringList &Lines() { return mLines; }
    const QStringList &Lines() const { return mLines; }
    void Clear() { mLines.clear(); }

    static QString KeyOf(const QString &line);

    // Called with the key after SetValue changed its line (not for Lines()
    // edits), so the owner can write the list while a choice is fresh.
    using TChanged = std::function<void(const QString &key)>;
    void SetOnChanged(TChanged changed) { mOnChanged.Hook = std::move(changed); }

private:
    // Belongs to this list only: a copy starts without it.
    struct TChangeHook {
        TChanged Hook;
        TChangeHook() = default;
        TChangeHook(const TChangeHook &) {}
        TChangeHook &operator=(const TChangeHook &) { return *this; }
        void Call(const QString &key) const
        {
            if (Hook)
                Hook(key);
        }
    };

    QStringList mLines;
    TChangeHook mOnChanged;
};
