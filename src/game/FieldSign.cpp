#include "FieldSign.h"

TFieldSign::TFieldSign(QWidget *parent, const QString &objectName)
    : QLabel(parent)
{
    setObjectName(objectName);
    setAlignment(Qt::AlignCenter);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setStyleSheet(QStringLiteral(
        "color: white; background: rgba(0, 0, 0, 160); padding: 0.3em 0.8em;"));
    hide();
}

void TFieldSign::ShowOver(const QRect &field, const QString &text, Qt::Alignment where)
{
    mWhere = where;
    setText(text);
    FollowField(field);
    raise();
    show();
}

void TFieldSign::FollowField(const QRect &field)
{
    // As large on a scaled field as on the field at its own size.
    const bool centred = mWhere == Qt::AlignCenter;
    QFont sized = font();
    sized.setPixelSize(centred ? qMax(40, field.height() / 11) : qMax(16, field.height() / 28));
    setFont(sized);
    adjustSize();
    if (centred)
        move(field.center() - rect().center());
    else
        move(field.center().x() - rect().center().x(), field.bottom() - height() - field.height() / 40);
}
