#pragma once

#include <QImage>
#include <QString>

// The program's icon at `size` x `size` pixels, drawn as vectors so every
// size is sharp.
QImage DrawProgramIcon(int size);
// Writes the icon into `root` in the icon-theme layout:
// <root>/hicolor/<n>x<n>/apps/snapstorm.png.
void MakeProgramIcons(const QString &root);
