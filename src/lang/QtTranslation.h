#pragma once

#include <QString>

// Qt's own texts (the standard buttons of message boxes, the file dialogs)
// in the language `locale` names ("de"), from Qt's translation catalogue;
// English and a language Qt has no catalogue for need none. Replaces what
// an earlier call installed, so a change of language reaches them too.
// The UI thread only.
void UseQtTranslation(const QString &locale);
