#pragma once

#include <QIcon>

// The glyphs of the editor's tool bar: the desktop's icon theme where it
// has one, otherwise a simple drawing of our own, so no button is blank.
enum class TToolGlyph { New, Open, Save, SaveZip, ImportZip, Mail };

QIcon ToolGlyph(TToolGlyph glyph);
