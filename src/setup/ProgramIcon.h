#pragma once

#include <QIcon>
#include <QString>

// The program icon in every size that lies in <programDir>/icons, each file
// read only when its size is first drawn; an empty icon when none is there.
QIcon LoadProgramIcon(const QString &programDir);
