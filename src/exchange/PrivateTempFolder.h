#pragma once

#include <QByteArray>
#include <QString>

// Files with fixed names in the shared temporary folder could be swapped
// for links by another local user, so they go into a folder of the
// player's own under it instead.

// "<base>/snapstorm-<uid>/" (base: QDir::tempPath() when empty), created
// with mode 0700 when missing; an existing one of the player's own is made
// 0700 again. EMailError when it is a symbolic link, not a folder, belongs
// to someone else or cannot be made.
QString PrivateTempFolder(const QString &base = QString());
