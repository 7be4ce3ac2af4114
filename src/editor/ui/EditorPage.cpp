#include "editor/ui/EditorPage.h"

#include "base/ErrorReport.h"

TEditorPage::TEditorPage(TDesignEditor &editor, const char *name, QWidget *parent)
    : QWidget(parent), mEditor(editor)
{
    setObjectName(QString::fromLatin1(name));
}

void TEditorPage::Guarded(const std::function<void()> &handler)
{
    ErrorReport::Guard(handler);
}

int TEditorPage::NumberOr(const QString &text, int fallback)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : fallback;
}
