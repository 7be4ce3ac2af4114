#pragma once

#include "base/KeyValueList.h"

#include <QKeySequence>
#include <QString>

#include <array>
#include <optional>
#include <vector>

// The keys the game polls at each tick, by what they do.
enum class TGameKey { Left, Right, Space };

// The game key a script names: "Left", "Right" or "Space".
std::optional<TGameKey> GameKeyNamed(const QString &name);

// A shortcut of the window that a game key must not take over.
struct TReservedKey {
    QKeySequence Shortcut;
    // The command's caption; empty for a shortcut without one.
    QString Owner;
};

// The texts a refusal is built from; the dialog passes translated ones.
struct TKeyConflictTexts {
    // %1 the key, %2 the shortcut, %3 the command.
    QString UsedByCommand = QStringLiteral("%1 is already used by \"%3\" (%2), and menu keys stay as they are. "
                                           "Please choose another key.");
    // %1 the key.
    QString UsedByShortcut = QStringLiteral("%1 is already one of the window's shortcuts, which stay as they are. "
                                            "Please choose another key.");
    // %1 the key, %2 and %3 the two actions.
    QString UsedTwice = QStringLiteral("%1 is chosen for both \"%2\" and \"%3\". To free it, click the field "
                                       "of \"%2\" and press another key.");
    std::array<QString, 3> Actions = {QStringLiteral("Move left"), QStringLiteral("Move right"),
                                      QStringLiteral("Fire")};
};

// Which keyboard key does what in the game: one plain key per game key,
// kept in the settings file as portable key names ("Left", "Space", "A").
class TKeyBindings
{
public:
    TKeyBindings() = default;

    int Key(TGameKey key) const { return mKeys[Index(key)]; }
    void SetKey(TGameKey key, int qtKey) { mKeys[Index(key)] = qtKey; }
    // The game key bound to a key event's key, whatever modifiers are held.
    std::optional<TGameKey> GameKeyOf(int qtKey) const;

    // Missing or unreadable entries keep their default; entries that would
    // put one key on two actions give the defaults.
    static TKeyBindings Read(const TKeyValueList &settings);
    void Store(TKeyValueList &settings) const;

    // Why these keys cannot be used with the window's shortcuts; empty when
    // they can. A key clashes with a shortcut made of it and any modifiers.
    QString Conflict(const std::vector<TReservedKey> &reserved,
                     const TKeyConflictTexts &texts = {}) const;

    // The key as the player reads it, e.g. "Left" or "Space".
    static QString KeyName(int qtKey);
    // A single plain key from its portable name; nothing when it is not one.
    static std::optional<int> KeyFromName(const QString &name);

    bool operator==(const TKeyBindings &) const = default;

private:
    static int Index(TGameKey key) { return static_cast<int>(key); }

    std::array<int, 3> mKeys{Qt::Key_Left, Qt::Key_Right, Qt::Key_Space};
};
