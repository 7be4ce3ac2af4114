#include "play/KeyBindings.h"

namespace {

const std::array<QString, 3> kSettingKeys = {QStringLiteral("KeyLeft"), QStringLiteral("KeyRight"),
                                             QStringLiteral("KeyFire")};

constexpr std::array<TGameKey, 3> kGameKeys = {TGameKey::Left, TGameKey::Right, TGameKey::Space};

} // namespace

std::optional<TGameKey> TKeyBindings::GameKeyOf(int qtKey) const
{
    for (TGameKey key : kGameKeys) {
        if (Key(key) == qtKey)
            return key;
    }
    return std::nullopt;
}

TKeyBindings TKeyBindings::Read(const TKeyValueList &settings)
{
    TKeyBindings bindings;
    for (TGameKey key : kGameKeys) {
        if (const std::optional<int> stored = KeyFromName(settings.Value(kSettingKeys[Index(key)])))
            bindings.SetKey(key, *stored);
    }
    // One key on two actions would leave an action out of reach.
    if (!bindings.Conflict({}).isEmpty())
        return {};
    return bindings;
}

void TKeyBindings::Store(TKeyValueList &settings) const
{
    for (TGameKey key : kGameKeys)
        settings.SetValue(kSettingKeys[Index(key)],
                          QKeySequence(Key(key)).toString(QKeySequence::PortableText));
}

QString TKeyBindings::Conflict(const std::vector<TReservedKey> &reserved,
                               const TKeyConflictTexts &texts) const
{
    for (int i = 0; i < int(mKeys.size()); ++i) {
        for (int j = i + 1; j < int(mKeys.size()); ++j) {
            if (mKeys[i] == mKeys[j])
                return texts.UsedTwice.arg(KeyName(mKeys[i]), texts.Actions[i], texts.Actions[j]);
        }
    }
    for (int key : mKeys) {
        for (const TReservedKey &entry : reserved) {
            // A shortcut held with modifiers still starts with this key.
            if (entry.Shortcut.isEmpty() || entry.Shortcut[0].key() != key)
                continue;
            if (entry.Owner.isEmpty())
                return texts.UsedByShortcut.arg(KeyName(key));
            return texts.UsedByCommand.arg(KeyName(key), entry.Shortcut.toString(QKeySequence::NativeText),
                                           entry.Owner);
        }
    }
    return {};
}

QString TKeyBindings::KeyName(int qtKey)
{
    return QKeySequence(qtKey).toString(QKeySequence::NativeText);
}

std::optional<int> TKeyBindings::KeyFromName(const QString &name)
{
    const QKeySequence sequence = QKeySequence::fromString(name.trimmed(), QKeySequence::PortableText);
    if (sequence.count() != 1 || sequence[0].keyboardModifiers() != Qt::NoModifier
        || sequence[0].key() == Qt::Key_unknown)
        return std::nullopt;
    return int(sequence[0].key());
}

std::optional<TGameKey> GameKeyNamed(const QString &name)
{
    if (name == QLatin1String("Left"))
        return TGameKey::Left;
    if (name == QLatin1String("Right"))
        return TGameKey::Right;
    if (name == QLatin1String("Space"))
        return TGameKey::Space;
    return std::nullopt;
}
