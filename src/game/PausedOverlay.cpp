#include "PausedOverlay.h"

TPausedOverlay::TPausedOverlay(QWidget *parent)
    : QLabel(parent)
{
    setObjectName(QStringLiteral("PausedLabel"));
    setAlignment(Qt::AlignCenter);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setStyleSheet(QStringLiteral(
        "color: white; background: rgba(0, 0, 0, 160); padding: 0.3em 0.8em;"));
}

void TPausedOverlay::ShowOver(const QRect &field, const QString &text)
{
    // As large on a scaled field as on the field at its own size.
    QFont big = font();
    big.setPixelSize(qMax(40, field.height() / 11));
    setFont(big);
    setText(text);
    adjustSize();
    move(field.center() - rect().center());
    raise();
    show();
}
