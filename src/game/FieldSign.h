#pragma once

#include <QLabel>

// A sign over the play field ("Paused", "Wave 2", the demo's reminder);
// clicks go through it to the window. Only shows what the rules did.
class TFieldSign : public QLabel
{
    Q_OBJECT

public:
    TFieldSign(QWidget *parent, const QString &objectName);

    // Shows `text` over `field` (in the parent's coordinates): centred and
    // large, or small along its bottom edge.
    void ShowOver(const QRect &field, const QString &text, Qt::Alignment where = Qt::AlignCenter);
    // Moves a shown sign to the field's new place and size.
    void FollowField(const QRect &field);

private:
    Qt::Alignment mWhere = Qt::AlignCenter;
};
