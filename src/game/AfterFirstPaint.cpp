#include "AfterFirstPaint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

void TAfterFirstPaint::Run(QWidget &widget, std::function<void()> work)
{
    widget.installEventFilter(new TAfterFirstPaint(widget, std::move(work)));
}

TAfterFirstPaint::TAfterFirstPaint(QWidget &widget, std::function<void()> work)
    : QObject(&widget), mWork(std::move(work))
{
}

bool TAfterFirstPaint::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint) {
        // Queued behind the rest of this frame's painting and its flush.
        QTimer::singleShot(0, watched, std::move(mWork));
        watched->removeEventFilter(this);
        deleteLater();
    }
    return false;
}
