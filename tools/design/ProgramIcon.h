#pragma once

#include <QImage>
#include <QString>

// The program's icon at `size` x `size` pixels, drawn as vectors so every
// size is sharp.
QImage DrawProgramIcon(int size);
// A design archive's file icon, the same way.
QImage DrawDesignFileIcon(int size);
// Writes both icons into `root` in the icon-theme layout:
// <root>/hicolor/<n>x<n>/apps/snapstorm.png and
// <root>/hicolor/<n>x<n>/mimetypes/application-x-snapstorm-design.png.
void MakeProgramIcons(const QString &root);
