#pragma once

#include <QIcon>
#include <QString>

// The program icon in every size up to 128 x 128 that lies in
// <programDir>/icons (larger ones would only slow the start); an empty icon
// when none is there.
QIcon LoadProgramIcon(const QString &programDir);
