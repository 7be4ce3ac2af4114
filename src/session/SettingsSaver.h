#pragma once

#include <QObject>

#include <functional>

class QTimer;
class TKeyValueList;

// Writes the settings soon after the player changed one (language, design,
// sound, volume, keys, smooth motion), not only at the end, so a crash or a
// second copy of the game loses nothing chosen. Changes made together are
// written once, after the command that made them.
class TSettingsSaver : public QObject
{
    Q_OBJECT

public:
    TSettingsSaver(TKeyValueList &settings, std::function<void()> save, QObject *parent);

    bool Pending() const;

private:
    QTimer *mTimer = nullptr; // owned by this
};
