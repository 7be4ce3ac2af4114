#pragma once

#include <QLabel>

// The "Paused" sign over the play field; clicks go through it to the window.
class TPausedOverlay : public QLabel
{
    Q_OBJECT

public:
    explicit TPausedOverlay(QWidget *parent);

    // Shows `text` centred over `field`, in the parent's coordinates.
    void ShowOver(const QRect &field, const QString &text);
};
