#include "PausedOverlay.h"

TPausedOverlay::TPausedOverlay(QWidget *parent)
    : QLabel(parent)
{
    setObjectName(QStringLiteral("PausedLabel"));
    setAlignment(Qt::AlignCenter);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setStyleSheet(QStringLiteral(
        "color: white; background: rgba(0, 0, 0, 160); font-size: 40px; padding: 12px 32px;"));
}

void TPausedOverlay::ShowOver(const QRect &field, const QString &text)
{
    setText(text);
    adjustSize();
    move(field.center() - rect().center());
    raise();
    show();
}
