#pragma once

#include <QStringList>

class QWidget;

// The texts that `window`, as it is laid out now, shows cut short: labels,
// buttons, check boxes, list entries, tabs, group titles and menu bar entries
// wider (or a wrapped label taller) than the room they are given. Each is
// one line, "Window/Control: text". Pages of tab widgets are shown in turn,
// so every page is measured; the window must be visible.
QStringList CutShortCaptions(QWidget &window);
