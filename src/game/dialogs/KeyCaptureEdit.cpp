#include "game/dialogs/KeyCaptureEdit.h"

#include "play/KeyBindings.h"

#include <QKeyEvent>

TKeyCaptureEdit::TKeyCaptureEdit(QWidget *parent) : QLineEdit(parent)
{
    setReadOnly(true);
    setPlaceholderText(QStringLiteral("?"));
}

void TKeyCaptureEdit::SetKey(int qtKey)
{
    mKey = qtKey;
    setText(TKeyBindings::KeyName(qtKey));
}

bool TKeyCaptureEdit::PassesThrough(int qtKey)
{
    return qtKey == Qt::Key_Tab || qtKey == Qt::Key_Backtab || qtKey == Qt::Key_Escape || qtKey == Qt::Key_Return
           || qtKey == Qt::Key_Enter || qtKey == Qt::Key_unknown || qtKey == 0;
}

bool TKeyCaptureEdit::event(QEvent *event)
{
    // Keys that are the dialog's shortcuts (mnemonics, Return) are wanted here.
    if (event->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (!PassesThrough(key->key())) {
            event->accept();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void TKeyCaptureEdit::keyPressEvent(QKeyEvent *event)
{
    if (PassesThrough(event->key())) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    SetKey(event->key());
    event->accept();
}
